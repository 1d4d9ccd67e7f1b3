#pragma once

// Stand-ins for what the desktop provides: a hot-key backend, a settings database of key bindings and
// a source of the active window, that answer what the test says and record what they are asked.
#include "platform/ActivationSource.h"
#include "platform/HotKeyBackend.h"
#include "platform/KeyBindingSettings.h"

#include <QList>
#include <utility>

class StandInHotKeyBackend : public HotKeyBackend {
public:
    Result result = Result::Grabbed;
    QList<std::pair<quint32, quint32>> grabbed;
    std::function<void(const ActivationRequest &)> pressed;

    Result grab(quint32 keyCode, quint32 modifiers) override
    {
        grabbed.append({keyCode, modifiers});
        return result;
    }
    void ungrab() override {}
    void setHandlers(std::function<void(const ActivationRequest &)> onPress, std::function<void(Result)>) override
    {
        pressed = std::move(onPress);
    }
    // The desktop reports a press, with its activation token.
    void press(const QString &token = QString())
    {
        if (pressed)
            pressed(ActivationRequest{token});
    }
};

class StandInKeyBindingSettings : public KeyBindingSettings {
public:
    QList<AppBindings> values;
    std::function<void()> changed;  // the test calls it as the database would
    int reads = 0;

    QList<AppBindings> read() override
    {
        ++reads;
        return values;
    }
    void setChangeHandler(std::function<void()> handler) override { changed = std::move(handler); }
};

class StandInActivationSource : public ActivationSource {
public:
    std::optional<RunningApp> frontmost;
    Handler handler;
    bool available = true;

    std::optional<RunningApp> frontmostApp() override { return frontmost; }
    void follow(Handler h) override { handler = std::move(h); }
    bool isAvailable() const override { return available; }
    // The window of application `id` becomes active.
    void activate(const QString &id)
    {
        RunningApp app;
        app.bundleIdentifier = id;
        frontmost = app;
        if (handler)
            handler(app);
    }
};

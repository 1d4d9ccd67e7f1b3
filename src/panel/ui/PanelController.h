#pragma once

#include "platform/ActivationRequest.h"

#include "platform/RunningApp.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class IconLoader;
class KeyPanel;
class PanelViewModel;
class Preferences;
class WindowSystem;

// Shows, places and hides the panel, and drives it from the keyboard while it is shown: the arrows
// move the selection, Return and keypad Enter mark the selected shortcut, Escape closes.
class PanelController : public QObject {
    Q_OBJECT
public:
    static constexpr int panelWidth = 720;
    static constexpr int panelHeight = 540;

    // `lastApp` answers the application used before this one; `windowSystem` may be null.
    PanelController(PanelViewModel &vm, Preferences &preferences, IconLoader &icons,
                    std::function<std::optional<RunningApp>()> lastApp, WindowSystem *windowSystem,
                    const QStringList &arguments, QObject *parent = nullptr);
    ~PanelController() override;

    // `request`: what came with the user's request to show the panel (a hot-key press's time or
    // activation token), for taking the keyboard.
    void show(const std::optional<QString> &bundleId = std::nullopt,
              const std::optional<QString> &initialSearch = std::nullopt, const QSet<QString> &collapse = {},
              const ActivationRequest &request = {});
    void show(const ActivationRequest &request) { show(std::nullopt, std::nullopt, {}, request); }
    void hide();
    void toggle(const ActivationRequest &request = {});

    bool isVisible() const;
    bool stayVisible() const { return stayVisible_; }
    bool hasKeyMonitor() const { return keyMonitorInstalled_; }
    KeyPanel *panel() const { return panel_.get(); }

    // The key table applied to one key press; true when the press is swallowed.
    bool handleKeyDown(int qtKey, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanel();
    void positionPanel();
    void installKeyMonitor();
    void removeKeyMonitor();
    void resignedKey();

    PanelViewModel &vm_;
    Preferences &preferences_;
    IconLoader &icons_;
    std::function<std::optional<RunningApp>()> lastApp_;
    WindowSystem *windowSystem_;
    std::unique_ptr<KeyPanel> panel_;
    bool keyMonitorInstalled_ = false;
    bool stayVisible_;
};

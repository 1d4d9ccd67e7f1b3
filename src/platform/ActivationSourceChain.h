#pragma once

#include "platform/ActivationSource.h"

#include <QString>
#include <memory>
#include <vector>

// Several sources of the active application, best first; the first available one speaks.
//
// A source's report passes only while no better source is available: in a Wayland session, where
// the X11 source sees XWayland windows only, it stays silent as soon as a source that sees every
// window (the compositor's own) can tell, so a stale X window never wins over a native one.
class ActivationSourceChain : public ActivationSource {
public:
    // Adds a source after those already added; `name` is for the log.
    void append(std::unique_ptr<ActivationSource> source, const QString &name);

    std::optional<RunningApp> frontmostApp() override;
    void follow(Handler handler) override;
    bool isAvailable() const override;

    // The name of the first available source, "none" when there is none.
    QString availableName() const;
    // All names, best first, comma-separated.
    QString names() const;

private:
    struct Link {
        std::unique_ptr<ActivationSource> source;
        QString name;
    };
    bool anyAvailableBefore(size_t index) const;

    std::vector<Link> links_;
    Handler handler_;
};

#include "platform/ActivationSourceChain.h"

#include <QStringList>

void ActivationSourceChain::append(std::unique_ptr<ActivationSource> source, const QString &name)
{
    links_.push_back({std::move(source), name});
}

bool ActivationSourceChain::anyAvailableBefore(size_t index) const
{
    for (size_t i = 0; i < index && i < links_.size(); ++i) {
        if (links_[i].source->isAvailable())
            return true;
    }
    return false;
}

std::optional<RunningApp> ActivationSourceChain::frontmostApp()
{
    for (Link &link : links_) {
        if (link.source->isAvailable())
            return link.source->frontmostApp();
    }
    return std::nullopt;
}

void ActivationSourceChain::follow(Handler handler)
{
    handler_ = std::move(handler);
    for (size_t i = 0; i < links_.size(); ++i) {
        links_[i].source->follow([this, i](const RunningApp &app) {
            if (handler_ && !anyAvailableBefore(i))
                handler_(app);
        });
    }
}

bool ActivationSourceChain::isAvailable() const
{
    return anyAvailableBefore(links_.size());
}

QString ActivationSourceChain::availableName() const
{
    for (const Link &link : links_) {
        if (link.source->isAvailable())
            return link.name;
    }
    return QStringLiteral("none");
}

QString ActivationSourceChain::names() const
{
    QStringList names;
    for (const Link &link : links_)
        names.append(link.name);
    return names.join(QStringLiteral(", "));
}

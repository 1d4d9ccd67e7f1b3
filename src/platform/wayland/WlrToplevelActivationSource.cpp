#include "platform/wayland/WlrToplevelActivationSource.h"

#include "services/SystemLog.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

struct WlrToplevelActivationSource::Toplevel {
    WlrToplevelActivationSource *source;
    zwlr_foreign_toplevel_handle_v1 *handle;
    QString appId, pendingAppId;
    bool activated = false, pendingActivated = false;
};

namespace {

// The newest version whose events we handle; the compositor may offer more.
constexpr uint32_t managerVersion = 3;

void log(const QString &line)
{
    SystemLog::shared().write(QStringLiteral("Corvane: wlr-foreign-toplevel: ") + line);
}

void onTitle(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {}
void onOutputEnter(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {}
void onOutputLeave(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) {}
void onParent(void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *) {}

void onAppId(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *appId)
{
    static_cast<WlrToplevelActivationSource::Toplevel *>(data)->pendingAppId = QString::fromUtf8(appId);
}

void onState(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states)
{
    bool activated = false;
    const size_t count = states->size / sizeof(uint32_t);
    for (size_t i = 0; i < count; ++i) {
        uint32_t state;
        std::memcpy(&state, static_cast<const char *>(states->data) + i * sizeof(uint32_t), sizeof state);
        activated = activated || state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
    }
    static_cast<WlrToplevelActivationSource::Toplevel *>(data)->pendingActivated = activated;
}

} // namespace

WlrToplevelActivationSource::WlrToplevelActivationSource(AppDirectory *directory, QObject *parent)
    : QObject(parent), identity_(directory)
{
    display_ = wl_display_connect(nullptr);
    if (!display_) {
        log(QStringLiteral("no Wayland compositor to connect to"));
        return;
    }
    static const wl_registry_listener registryListener = {&WlrToplevelActivationSource::onGlobal,
                                                          &WlrToplevelActivationSource::onGlobalRemove};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
    // The globals, then the windows open now; the compositor answers at once, so this does not wait.
    if (wl_display_roundtrip(display_) < 0 || (manager_ && wl_display_roundtrip(display_) < 0)) {
        disconnect("the compositor closed the connection");
        return;
    }
    if (!manager_) {
        log(QStringLiteral("the compositor does not offer the protocol"));
        disconnect(nullptr);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &WlrToplevelActivationSource::readEvents);
    wl_display_flush(display_);
}

WlrToplevelActivationSource::~WlrToplevelActivationSource()
{
    disconnect(nullptr);
}

void WlrToplevelActivationSource::disconnect(const char *why)
{
    if (why)
        log(QString::fromLatin1(why));
    notifier_.reset();
    for (const std::unique_ptr<Toplevel> &toplevel : toplevels_)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    toplevels_.clear();
    active_ = nullptr;
    if (manager_)
        zwlr_foreign_toplevel_manager_v1_destroy(manager_);
    manager_ = nullptr;
    if (registry_)
        wl_registry_destroy(registry_);
    registry_ = nullptr;
    if (display_)
        wl_display_disconnect(display_);
    display_ = nullptr;
}

void WlrToplevelActivationSource::readEvents()
{
    // Never blocks: reads what the socket has (nothing, when woken for no reason), then dispatches.
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) {
            disconnect("lost the connection to the compositor");
            return;
        }
    }
    if (wl_display_read_events(display_) < 0 && errno != EAGAIN) {
        disconnect("lost the connection to the compositor");
        return;
    }
    if (wl_display_dispatch_pending(display_) < 0) {
        disconnect("lost the connection to the compositor");
        return;
    }
    wl_display_flush(display_);
}

void WlrToplevelActivationSource::onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface,
                                           uint32_t version)
{
    auto *self = static_cast<WlrToplevelActivationSource *>(data);
    if (self->manager_ || std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0)
        return;
    static const zwlr_foreign_toplevel_manager_v1_listener managerListener = {
        &WlrToplevelActivationSource::onToplevel, &WlrToplevelActivationSource::onFinished};
    self->manager_ = static_cast<zwlr_foreign_toplevel_manager_v1 *>(wl_registry_bind(
        registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, managerVersion)));
    self->managerName_ = name;
    zwlr_foreign_toplevel_manager_v1_add_listener(self->manager_, &managerListener, self);
}

void WlrToplevelActivationSource::onGlobalRemove(void *data, wl_registry *, uint32_t name)
{
    auto *self = static_cast<WlrToplevelActivationSource *>(data);
    if (self->manager_ && name == self->managerName_)
        onFinished(self, self->manager_);
}

void WlrToplevelActivationSource::onToplevel(void *data, zwlr_foreign_toplevel_manager_v1 *,
                                             zwlr_foreign_toplevel_handle_v1 *handle)
{
    static const zwlr_foreign_toplevel_handle_v1_listener handleListener = {
        &onTitle, &onAppId, &onOutputEnter, &onOutputLeave, &onState, &WlrToplevelActivationSource::onDone,
        &WlrToplevelActivationSource::onClosed, &onParent};
    auto *self = static_cast<WlrToplevelActivationSource *>(data);
    self->toplevels_.push_back(std::make_unique<Toplevel>(Toplevel{self, handle, {}, {}, false, false}));
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &handleListener, self->toplevels_.back().get());
}

void WlrToplevelActivationSource::onFinished(void *data, zwlr_foreign_toplevel_manager_v1 *)
{
    // The compositor stops sending: the list we have goes stale, so we know nothing from now on.
    auto *self = static_cast<WlrToplevelActivationSource *>(data);
    log(QStringLiteral("the compositor stopped the window list"));
    for (const std::unique_ptr<Toplevel> &toplevel : self->toplevels_)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    self->toplevels_.clear();
    self->active_ = nullptr;
    zwlr_foreign_toplevel_manager_v1_destroy(self->manager_);
    self->manager_ = nullptr;
}

void WlrToplevelActivationSource::onDone(void *data, zwlr_foreign_toplevel_handle_v1 *)
{
    auto *toplevel = static_cast<Toplevel *>(data);
    toplevel->source->toplevelDone(*toplevel);
}

void WlrToplevelActivationSource::onClosed(void *data, zwlr_foreign_toplevel_handle_v1 *)
{
    auto *toplevel = static_cast<Toplevel *>(data);
    toplevel->source->toplevelClosed(*toplevel);
}

void WlrToplevelActivationSource::toplevelDone(Toplevel &toplevel)
{
    const bool changed = toplevel.pendingActivated != toplevel.activated || toplevel.pendingAppId != toplevel.appId;
    toplevel.appId = toplevel.pendingAppId;
    toplevel.activated = toplevel.pendingActivated;
    if (!toplevel.activated) {
        if (active_ == &toplevel)
            active_ = nullptr;
        return;
    }
    const bool newlyActive = active_ != &toplevel;
    active_ = &toplevel;
    if ((changed || newlyActive) && handler_) {
        if (const std::optional<RunningApp> app = appOf(toplevel))
            handler_(*app);
    }
}

void WlrToplevelActivationSource::toplevelClosed(Toplevel &toplevel)
{
    if (active_ == &toplevel)
        active_ = nullptr;
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    toplevels_.erase(std::find_if(toplevels_.begin(), toplevels_.end(),
                                  [&toplevel](const std::unique_ptr<Toplevel> &t) { return t.get() == &toplevel; }));
}

std::optional<RunningApp> WlrToplevelActivationSource::appOf(const Toplevel &toplevel) const
{
    ToplevelFacts facts;
    facts.appId = toplevel.appId;
    return identity_.appOf(facts);
}

std::optional<RunningApp> WlrToplevelActivationSource::frontmostApp()
{
    return active_ ? appOf(*active_) : std::nullopt;
}

void WlrToplevelActivationSource::follow(Handler handler)
{
    handler_ = std::move(handler);
}

QList<RunningApp> WlrToplevelActivationSource::runningApps() const
{
    QList<RunningApp> apps;
    for (const std::unique_ptr<Toplevel> &toplevel : toplevels_) {
        if (std::optional<RunningApp> app = appOf(*toplevel))
            apps.append(*app);
    }
    return apps;
}

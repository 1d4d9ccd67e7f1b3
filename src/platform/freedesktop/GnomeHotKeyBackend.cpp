#include "platform/freedesktop/GnomeHotKeyBackend.h"

#include "keys/DesktopKeyNames.h"

#include <QByteArray>

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>

// Our entry's GSettings object, telling of every change to it while it lives.
struct GnomeHotKeyBackend::Watch {
    Watch(const QString &path, std::function<void(Result)> changed) : changed(std::move(changed))
    {
        settings = g_settings_new_with_path("org.gnome.settings-daemon.plugins.media-keys.custom-keybinding",
                                            path.toUtf8().constData());
        g_signal_connect(settings, "changed::binding", G_CALLBACK(onChanged), this);
        // GSettings reports changes only of keys read since the object was made.
        g_free(g_settings_get_string(settings, "binding"));
    }
    ~Watch()
    {
        g_signal_handlers_disconnect_by_data(settings, this);
        g_object_unref(settings);
    }
    Watch(const Watch &) = delete;
    Watch &operator=(const Watch &) = delete;

    static void onChanged(GSettings *, const gchar *, gpointer data)
    {
        auto *self = static_cast<Watch *>(data);
        if (self->changed)
            self->changed(Result::Grabbed);
    }

    GSettings *settings;
    std::function<void(Result)> changed;
};

GnomeHotKeyBackend::GnomeHotKeyBackend(QString command, GnomeCustomKeybinding entry)
    : command_(std::move(command)), entry_(std::move(entry))
{
}

GnomeHotKeyBackend::~GnomeHotKeyBackend() = default;

QString GnomeHotKeyBackend::entryName()
{
    return QStringLiteral("Corvane: Show or Hide Shortcuts");
}

HotKeyBackend::Result GnomeHotKeyBackend::grab(quint32 keyCode, quint32 modifiers)
{
    const std::optional<QString> accelerator = DesktopKeyNames::gtkAccelerator(keyCode, modifiers);
    if (!accelerator)
        return Result::NoSuchKey;
    failureReason_.clear();
    return entry_.write(entryName(), command_, *accelerator, &failureReason_) ? Result::Grabbed : Result::Refused;
}

void GnomeHotKeyBackend::setHandlers(std::function<void(const ActivationRequest &)>,
                                     std::function<void(Result)> regrabbed)
{
    watch_.reset();
    if (regrabbed && GnomeCustomKeybinding::isAvailable())
        watch_ = std::make_unique<Watch>(entry_.path(), std::move(regrabbed));
}

std::optional<std::pair<quint32, quint32>> GnomeHotKeyBackend::desktopKey() const
{
    const std::optional<QString> binding = entry_.binding();
    return binding ? DesktopKeyNames::fromGtkAccelerator(*binding) : std::nullopt;
}

QString GnomeHotKeyBackend::triggerDescription() const
{
    // A key GNOME holds that this program cannot name is still what GNOME runs us with.
    const std::optional<QString> binding = entry_.binding();
    return binding && !DesktopKeyNames::fromGtkAccelerator(*binding) ? *binding : QString();
}

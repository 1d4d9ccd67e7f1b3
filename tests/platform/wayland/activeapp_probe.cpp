// Follows the active application the way Corvane does, and prints it:
//   "seen ID"    every application the source reports (this program's own windows included),
//   "lastApp ID" every change of the application the panel would list first.
// It shows a window of its own under Corvane's application id, which must never become lastApp.
// "?" stands for an application without an identifier. The argument picks the source: "wlr" (the
// foreign-toplevel list, the default), "kwin" (our KWin script) or "gnome" (our shell extension,
// which it turns on through the shell as the settings window does, printing "extension STATE").
#include "panel/ActiveAppMonitor.h"
#include "platform/PlatformProfile.h"
#include "platform/freedesktop/DesktopEntries.h"
#include "platform/wayland/GnomeFocusActivationSource.h"
#include "platform/wayland/GnomeShellExtension.h"
#include "platform/wayland/KWinScriptActivationSource.h"
#include "platform/wayland/WlrToplevelActivationSource.h"

#include <QGuiApplication>
#include <QMetaEnum>
#include <QEventLoop>
#include <QRasterWindow>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

void print(const char *what, const std::optional<QString> &id)
{
    std::printf("%s %s\n", what, qPrintable(id.value_or(QStringLiteral("?"))));
    std::fflush(stdout);
}

// Passes reports on, printing each one.
class PrintingSource : public ActivationSource {
public:
    explicit PrintingSource(ActivationSource &inner) : inner_(inner) {}
    std::optional<RunningApp> frontmostApp() override { return inner_.frontmostApp(); }
    void follow(Handler handler) override
    {
        inner_.follow([handler](const RunningApp &app) {
            print("seen", app.bundleIdentifier);
            handler(app);
        });
    }

private:
    ActivationSource &inner_;
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(PlatformProfile::applicationId));

    DesktopEntries entries;
    const QString kind = QGuiApplication::arguments().value(1, QStringLiteral("wlr"));
    std::unique_ptr<ActivationSource> owned;
    if (kind == QLatin1String("kwin"))
        owned = std::make_unique<KWinScriptActivationSource>(&entries);
    else if (kind == QLatin1String("gnome"))
        owned = std::make_unique<GnomeFocusActivationSource>(&entries);
    else
        owned = std::make_unique<WlrToplevelActivationSource>(&entries);
    ActivationSource &source = *owned;
    std::unique_ptr<GnomeShellExtension> extension;
    if (kind == QLatin1String("gnome")) {
        extension = std::make_unique<GnomeShellExtension>();
        // Turned on once, as a user would with the settings window's button; the test may turn it
        // off again later.
        QObject::connect(extension.get(), &ShellExtension::stateChanged, [&extension, enabled = false]() mutable {
            const QMetaEnum names = QMetaEnum::fromType<ShellExtension::State>();
            std::printf("extension %s\n", names.valueToKey(int(extension->state())));
            std::fflush(stdout);
            if (extension->state() == ShellExtension::State::Disabled && !enabled) {
                enabled = true;
                extension->enable();
            }
        });
        auto *gnome = static_cast<GnomeFocusActivationSource *>(owned.get());
        QEventLoop wait;
        QObject::connect(gnome, &GnomeFocusActivationSource::availableChanged, &wait, &QEventLoop::quit);
        QTimer::singleShot(15000, &wait, &QEventLoop::quit);
        if (!gnome->isAvailable())
            wait.exec();
    }
    if (!source.isAvailable()) {
        std::printf("unavailable\n");
        return 2;
    }
    PrintingSource printing(source);
    ActiveAppMonitor monitor(QString::fromLatin1(PlatformProfile::applicationId));
    QObject::connect(&monitor, &ActiveAppMonitor::lastAppChanged,
                     [&monitor] { print("lastApp", monitor.lastApp()->bundleIdentifier); });
    monitor.start(printing);
    std::printf("following\n");
    std::fflush(stdout);

    QRasterWindow own;
    own.setTitle(QStringLiteral("Corvane probe"));
    own.resize(200, 100);
    own.show();
    return app.exec();
}

#include "catalogue/bindings/UserBindingFiles.h"

#include "catalogue/bindings/BindingFile.h"
#include "catalogue/bindings/InkscapeKeysReader.h"
#include "catalogue/bindings/KGlobalShortcutsReader.h"
#include "catalogue/bindings/KXmlGuiReader.h"
#include "catalogue/bindings/OpenboxConfigReader.h"
#include "catalogue/bindings/SwayConfigReader.h"
#include "catalogue/bindings/VsCodeKeybindingsReader.h"
#include "services/SystemLog.h"

#include <QDir>
#include <QFileInfo>

QString UserBindingFiles::configHome() const
{
    const QString set = env_.value(QStringLiteral("XDG_CONFIG_HOME"));
    return QDir::isAbsolutePath(set) ? set : env_.value(QStringLiteral("HOME")) + QStringLiteral("/.config");
}

QString UserBindingFiles::dataHome() const
{
    const QString set = env_.value(QStringLiteral("XDG_DATA_HOME"));
    return QDir::isAbsolutePath(set) ? set : env_.value(QStringLiteral("HOME")) + QStringLiteral("/.local/share");
}

void UserBindingFiles::cap(AppBindings &set, const QString &path)
{
    qsizetype keys = 0;
    for (qsizetype i = 0; i < set.bindings.size(); ++i) {
        QStringList &own = set.bindings[i].keys;
        if (keys + own.size() <= maxBindingsPerFile) {
            keys += own.size();
            continue;
        }
        own = own.mid(0, maxBindingsPerFile - keys);
        set.bindings.resize(own.isEmpty() ? i : i + 1);
        SystemLog::shared().write(QStringLiteral("Corvane: read the first %1 key bindings of %2, ignored the rest")
                                      .arg(maxBindingsPerFile)
                                      .arg(SystemLog::escaped(path)));
        return;
    }
}

void UserBindingFiles::failed(const QString &path)
{
    SystemLog::shared().write(QStringLiteral("Corvane: failed to read key bindings from ") + path);
}

void UserBindingFiles::watchFolder(const QString &folder)
{
    if (!watched_.contains(folder))
        watched_ << folder;
}

void UserBindingFiles::look(const QString &path)
{
    if (!watched_.contains(path))
        watched_ << path;
    watchFolder(QFileInfo(path).absolutePath());
}

QList<AppBindings> UserBindingFiles::read()
{
    watched_.clear();
    QList<AppBindings> all;
    const QString config = configHome();
    const QString home = env_.value(QStringLiteral("HOME"));
    if (config.isEmpty() && home.isEmpty())
        return all;

    // A file parsed by `parse`, which answers absent for a file it cannot make sense of.
    auto parsed = [&](const QString &path, auto parse) {
        look(path);
        bool missing = false;
        const auto bytes = BindingFile::read(path, &missing);
        if (!bytes) {
            if (!missing)
                failed(path);
            return;
        }
        std::optional<AppBindings> bindings = parse(*bytes);
        if (bindings) {
            cap(*bindings, path);
            all << std::move(*bindings);
        }
        else
            failed(path);
    };

    parsed(config + QStringLiteral("/kglobalshortcutsrc"), [&](const QByteArray &bytes) {
        return std::optional<AppBindings>(KGlobalShortcutsReader::parse(bytes, config + QStringLiteral("/kglobalshortcutsrc")));
    });
    const QString openbox = config + QStringLiteral("/openbox/rc.xml");
    parsed(openbox, [&](const QByteArray &bytes) { return OpenboxConfigReader::parse(bytes, openbox); });
    const QString inkscape = config + QStringLiteral("/inkscape/keys/default.xml");
    parsed(inkscape, [&](const QByteArray &bytes) { return InkscapeKeysReader::parse(bytes, inkscape); });
    for (const QString &folder : {QStringLiteral("Code"), QStringLiteral("VSCodium")}) {
        const QString path = config + QLatin1Char('/') + folder + QStringLiteral("/User/keybindings.json");
        parsed(path, [&](const QByteArray &bytes) {
            return VsCodeKeybindingsReader::parse(bytes, path, QStringLiteral("vscode"));
        });
    }

    // sway and i3: the first config that exists, as the window manager itself picks it.
    const struct {
        const char *app;
        QStringList paths;
    } windowManagers[] = {
        {"sway", {config + QStringLiteral("/sway/config"), home + QStringLiteral("/.sway/config")}},
        {"i3", {config + QStringLiteral("/i3/config"), home + QStringLiteral("/.i3/config")}},
    };
    for (const auto &wm : windowManagers) {
        for (const QString &path : wm.paths) {
            look(path);
            if (!QFileInfo::exists(path))
                continue;
            if (auto bindings = SwayConfigReader::read(path, QLatin1String(wm.app), env_)) {
                cap(*bindings, path);
                all << std::move(*bindings);
            } else
                failed(path);
            break;
        }
    }

    // KDE programs: one folder per component, its GUI files inside. The part of Kate's editor is
    // its own component.
    const QString kxmlgui = dataHome() + QStringLiteral("/kxmlgui5");
    watchFolder(kxmlgui);
    const QStringList components = QDir(kxmlgui).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &component : components.mid(0, 64)) {
        const QString app = component == QLatin1String("katepart") ? QStringLiteral("kate") : component;
        const QString folder = kxmlgui + QLatin1Char('/') + component;
        watchFolder(folder);
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.rc")}, QDir::Files, QDir::Name);
        for (const QString &file : files.mid(0, 32)) {
            const QString path = folder + QLatin1Char('/') + file;
            parsed(path, [&](const QByteArray &bytes) { return KXmlGuiReader::parse(bytes, path, app); });
        }
    }
    return all;
}

#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <optional>

class ShortcutStore;
class Workspace;

// Finds the image for an application: the installed application's own icon, else the icon file the
// catalogue names in the "Icons" resource folder, else our placeholder drawing. Never fails.
class IconLoader {
public:
    // The process-wide loader. Until createShared() runs it knows no installed applications.
    static IconLoader &shared();
    // Sets up the process-wide loader over the desktop's workspace; called once by main().
    static void createShared(Workspace *workspace);

    // `workspace` may be null (no installed applications); `iconsDir` is looked up lazily when absent
    // and `lookUpIconsDir` is true.
    IconLoader(Workspace *workspace, std::optional<QString> iconsDir, bool lookUpIconsDir = false);

    // The catalogue whose aliases count as an application's identifiers too; may be null.
    void setCatalogue(const ShortcutStore *store);

    // Installed icon (asked afresh each time), else resourceImage(iconFile), else the placeholder.
    QIcon appIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile);
    // The same without the placeholder: none when nothing was found.
    std::optional<QIcon> findIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile);
    // The icon of the installed application under this identifier or, through the catalogue, under
    // any other identifier of the same application.
    std::optional<QIcon> installedIcon(const QString &bundleId);
    // The icon file of the "Icons" folder, decoded once per name; failures are not cached.
    std::optional<QIcon> resourceImage(const std::optional<QString> &iconFile);
    // Our "app.dashed" drawing.
    static QIcon placeholder();
    // The icon a desktop names: an absolute image path, or a name in the icon theme.
    static QIcon iconNamed(const QString &nameOrPath);

    // How many times an icon file was read from disk (for tests of the cache).
    int fileLoads() const { return fileLoads_; }

private:
    std::optional<QString> resolvedIconsDir();

    Workspace *workspace_;
    const ShortcutStore *catalogue_ = nullptr;
    QHash<QString, QIcon> cache_;
    std::optional<std::optional<QString>> iconsDir_;  // outer: resolved yet; inner: the folder if any
    int fileLoads_ = 0;
};

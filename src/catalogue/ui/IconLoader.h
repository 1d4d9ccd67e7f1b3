#pragma once

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <memory>
#include <optional>

class IconThemeFiles;
class ShortcutStore;
class Workspace;

// Finds the image for an application: the installed application's own icon, else the icon file the
// catalogue names in the "Icons" resource folder, else our placeholder drawing. Never fails.
//
// Icon files are read and decoded on a worker thread, never on the thread that paints: a lookup
// answers at once from what is known, and asks the worker the first time. Until the worker answers
// the lookup is pending (views draw the placeholder); its answer arrives with iconsArrived(), after
// which the same lookup answers from the cache. Each icon is read once; what the desktop entries
// name is asked afresh each time, so an icon that changes with them is read again.
class IconLoader : public QObject {
    Q_OBJECT
public:
    // The process-wide loader. Until createShared() runs it knows no installed applications.
    static IconLoader &shared();
    // Sets up the process-wide loader over the desktop's workspace; called once by main().
    static void createShared(Workspace *workspace);
    // Ends the process-wide loader and its worker; main() calls it while the workspace and the
    // application it reads with are still there.
    static void destroyShared();

    // `workspace` may be null (no installed applications); `iconsDir` is looked up lazily when absent
    // and `lookUpIconsDir` is true.
    IconLoader(Workspace *workspace, std::optional<QString> iconsDir, bool lookUpIconsDir = false);
    ~IconLoader() override;

    // The catalogue whose aliases count as an application's identifiers too; may be null.
    void setCatalogue(const ShortcutStore *store);

    // What is known of an icon now: found, known to be missing, or being read.
    struct Answer {
        std::optional<QIcon> icon;
        bool pending = false;
    };
    // The installed application's icon (under this identifier or, through the catalogue, any other
    // identifier of the same application), else the "Icons" folder's file.
    Answer lookUp(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile);
    // The icon a desktop names: an absolute image path, or a name in the icon theme.
    Answer named(const QString &nameOrPath);

    // lookUp's icon, else the placeholder (also while pending).
    QIcon appIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile);
    // lookUp's icon; none when nothing was found or it is still pending.
    std::optional<QIcon> findIcon(const std::optional<QString> &bundleId, const std::optional<QString> &iconFile);
    // Our "app.dashed" drawing.
    static QIcon placeholder();

    // Reads and decodes one image file: regular files of bounded size only, at most `pixels` on a
    // side. Null when the file is refused or is no image. Safe on any thread.
    static QImage decode(const QString &path, int pixels);

    // How many icon files the worker was asked for (for tests of the cache).
    int fileLoads() const { return fileLoads_; }

Q_SIGNALS:
    // Icons the worker has answered for: views that drew a placeholder draw again.
    void iconsArrived();

private:
    // What the worker reads for one lookup: candidate files or theme names in order.
    struct Request {
        QStringList names;
        std::optional<QString> resourcePath;
    };
    Answer answer(const QString &key, const Request &request);
    void deliver(const QString &key, const QImage &image);
    std::optional<QString> resolvedIconsDir();

    Workspace *workspace_;
    const ShortcutStore *catalogue_ = nullptr;
    // Lookups answered (the icon, or none) and asked for (pending): one entry per distinct request.
    QHash<QString, std::optional<QIcon>> answers_;
    QSet<QString> pending_;
    std::optional<std::optional<QString>> iconsDir_;  // outer: resolved yet; inner: the folder if any
    std::shared_ptr<IconThemeFiles> themeFiles_;      // used by the worker only
    QThreadPool worker_;
    int fileLoads_ = 0;
};

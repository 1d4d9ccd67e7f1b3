#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The resource files a program carries (GResource bundles linked into its ELF file or installed next
// to it), read without running it.
class ProgramResources {
public:
    struct File {
        QString resourcePath;  // "/org/example/App/gtk/help-overlay.ui"; for a plain file its file path
        QString container;     // the file it was found in
        QByteArray bytes;
    };
    struct Result {
        QList<File> files;
        // Why the program could not be read; empty when it could (also when nothing matched).
        QString error;
        // Resources left unread (too large), with the reason.
        QStringList skipped;
    };
    // Decides from a resource's path and contents whether to keep it; the bytes are only valid
    // during the call.
    using Filter = std::function<bool(const QString &resourcePath, const QByteArray &bytes)>;

    virtual ~ProgramResources() = default;

    // The GtkBuilder files (".ui") that `path` holds and `keep` accepts. `path` is an ELF program or
    // library (its ".gresource.*" sections, then those of the private libraries it loads through its
    // run path, then the bundles in <prefix>/share/<program name>/ for a program in <prefix>/bin), a
    // compiled GResource bundle, or a ".ui" file itself.
    virtual Result uiFiles(const QString &path, const Filter &keep) = 0;

    // Files larger than this are not read; resources larger than this are skipped.
    static constexpr qint64 maxResourceSize = qint64(4) * 1024 * 1024;
};

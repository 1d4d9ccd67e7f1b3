#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Finds the file of a named icon the way the freedesktop icon themes lay them out: the user's theme,
// the themes it inherits, hicolor, then the old pixmaps folders. It reads index.theme files only
// (regular files, bounded) and otherwise only looks at names, so it can run on a worker thread where
// Qt's own theme lookup cannot. Not shared between threads: each worker keeps its own.
class IconThemeFiles {
public:
    // `searchPaths`: the folders holding themes, in precedence order; `theme`: the user's theme.
    IconThemeFiles(QStringList searchPaths, QString theme, QStringList pixmapDirs);

    // The file of `name` whose size is nearest to `size` pixels in the first theme of the chain that
    // has it; empty when no theme nor pixmaps folder has it.
    QString find(const QString &name, int size);

    // What Qt is set up with: its theme search paths, its theme, the data folders' pixmaps.
    static IconThemeFiles fromQt();

private:
    struct Directory {
        QString path;
        int size = 0, minSize = 0, maxSize = 0;
    };
    struct Theme {
        QStringList inherits;
        QList<Directory> directories;
    };

    const Theme &theme(const QString &name);
    QStringList chain();

    QStringList searchPaths_;
    QString theme_;
    QStringList pixmapDirs_;
    QHash<QString, Theme> themes_;
};

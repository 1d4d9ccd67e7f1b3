#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// QTEST_MAIN with a QApplication whose shared preferences read and write their file in a folder of
// the test's own, not the user's: XDG_CONFIG_HOME is set before anything reads it.
#define CORVANE_PRIVATE_CONFIG_TEST_MAIN(TestClass)                     \
    int main(int argc, char **argv)                                      \
    {                                                                    \
        QTemporaryDir config;                                            \
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));    \
        QApplication app(argc, argv);                                    \
        TestClass test;                                                  \
        return QTest::qExec(&test, argc, argv);                          \
    }

// A temporary folder of data files for a test.
class DataFolder {
public:
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

    void write(const QString &name, const QByteArray &content) const
    {
        QFile f(file(name));
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(name));
        f.write(content);
    }

private:
    QTemporaryDir dir;
};

// A data file for one application with one keymap of the given sections (a JSON array text).
inline QByteArray appJson(const QString &slug, const QString &name, const QString &sectionsJson,
                          const QString &extra = QString())
{
    return QStringLiteral(R"({"name":"%1","slug":"%2",%3"keymaps":[{"title":"Default","sections":%4}]})")
        .arg(name, slug, extra.isEmpty() ? QString() : extra + QLatin1Char(','), sectionsJson)
        .toUtf8();
}

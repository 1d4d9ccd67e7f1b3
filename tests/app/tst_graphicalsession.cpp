// Whether Qt would find a display server, decided before it starts: which platform Qt would try
// (command line, QT_QPA_PLATFORM, its own choice), which displays the environment names, and what
// the connection attempts answer. The probes here are stand-ins that record what they are asked;
// the last case asks the real client libraries about displays that do not exist.
#include "app/GraphicalSession.h"

#include <QProcessEnvironment>
#include <QTest>

namespace {

struct Recorder {
    QStringList asked;
    std::optional<QString> x11Answer;
    std::optional<QString> waylandAnswer;

    GraphicalSession::Probes probes()
    {
        return {[this](const QByteArray &display) {
                    asked << QStringLiteral("x11 ") + QString::fromLatin1(display);
                    return x11Answer;
                },
                [this](const QByteArray &display) {
                    asked << QStringLiteral("wayland ") + QString::fromLatin1(display);
                    return waylandAnswer;
                }};
    }
};

QProcessEnvironment environmentWith(std::initializer_list<std::pair<const char *, const char *>> values)
{
    QProcessEnvironment environment;
    for (const auto &[name, value] : values)
        environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    return environment;
}

const QStringList program{QStringLiteral("corvane")};
const std::optional<QString> passes = std::nullopt;

} // namespace

class TestGraphicalSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // No display named: the one sentence, without asking anyone; platforms that need no display
    // server pass, however they are named.
    void withoutDisplays()
    {
        Recorder recorder;
        auto missing = [&](const QProcessEnvironment &environment, const QStringList &arguments = {}) {
            return GraphicalSession::missing(environment, program + arguments, recorder.probes());
        };
        const auto noDisplay = std::optional<QString>(QStringLiteral("neither WAYLAND_DISPLAY nor DISPLAY is set"));
        QCOMPARE(missing({}), noDisplay);
        QCOMPARE(missing(environmentWith({{"QT_QPA_PLATFORM", ""}})), noDisplay);
        QCOMPARE(missing(environmentWith({{"QT_QPA_PLATFORM", "offscreen"}})), passes);
        QCOMPARE(missing(environmentWith({{"QT_QPA_PLATFORM", "minimal:enable_fonts"}})), passes);
        QCOMPARE(missing({}, {"-platform", "offscreen"}), passes);
        QCOMPARE(missing({}, {"--platform=vnc"}), passes);
        // A list Qt tries in turn with one such platform in it may end there.
        QCOMPARE(missing(environmentWith({{"QT_QPA_PLATFORM", "xcb;offscreen"}})), passes);
        QVERIFY(recorder.asked.isEmpty());
    }

    // Qt's own choice: whichever of the named displays answers will do; when none does, each reason
    // is given. The command line's -display stands for DISPLAY, as for Qt.
    void namedDisplays()
    {
        Recorder recorder;
        recorder.x11Answer = QStringLiteral("cannot connect to the X server :5: refused");
        const QProcessEnvironment x11Only = environmentWith({{"DISPLAY", ":5"}});
        QCOMPARE(GraphicalSession::missing(x11Only, program, recorder.probes()), recorder.x11Answer);
        QCOMPARE(recorder.asked, QStringList{"x11 :5"});

        recorder.asked.clear();
        QCOMPARE(GraphicalSession::missing(x11Only, program + QStringList{"-display", ":7"}, recorder.probes()),
                 recorder.x11Answer);
        QCOMPARE(recorder.asked, QStringList{"x11 :7"});

        recorder.asked.clear();
        const QProcessEnvironment both = environmentWith({{"DISPLAY", ":5"}, {"WAYLAND_DISPLAY", "wayland-1"}});
        QCOMPARE(GraphicalSession::missing(both, program, recorder.probes()), std::nullopt);
        QCOMPARE(recorder.asked, (QStringList{"wayland wayland-1"}));

        recorder.waylandAnswer = QStringLiteral("cannot connect to the Wayland compositor wayland-1: gone");
        QCOMPARE(GraphicalSession::missing(both, program, recorder.probes()),
                 std::optional<QString>(*recorder.waylandAnswer + QStringLiteral("; ") + *recorder.x11Answer));

        recorder.x11Answer.reset();
        QCOMPARE(GraphicalSession::missing(both, program, recorder.probes()), std::nullopt);
    }

    // A platform asked for by name is the only one Qt tries: a working display of the other kind
    // does not count. Named Wayland falls back on the library's default socket.
    void platformAskedForByName()
    {
        Recorder recorder;
        recorder.waylandAnswer = QStringLiteral("cannot connect to the Wayland compositor wayland-0: none");
        QCOMPARE(GraphicalSession::missing(environmentWith({{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-1"}}),
                                           program, recorder.probes()),
                 std::optional<QString>(QStringLiteral("DISPLAY is not set")));
        QVERIFY(recorder.asked.isEmpty());

        QCOMPARE(GraphicalSession::missing(environmentWith({{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}}), program,
                                           recorder.probes()),
                 recorder.waylandAnswer);
        QCOMPARE(recorder.asked, QStringList{"wayland "});

        recorder.asked.clear();
        QCOMPARE(GraphicalSession::missing(environmentWith({{"DISPLAY", ":0"}}),
                                           program + QStringList{"-platform", "wayland-egl;xcb:nograb"}, recorder.probes()),
                 std::nullopt);
        QCOMPARE(recorder.asked, (QStringList{"wayland ", "x11 :0"}));
    }
};

QTEST_GUILESS_MAIN(TestGraphicalSession)
#include "tst_graphicalsession.moc"

#include "platform/ActivationSourceChain.h"
#include "platform/AppDirectory.h"
#include "platform/PlatformProfile.h"
#include "platform/ToplevelIdentity.h"
#include "StandIns.h"

#include <QHash>
#include <QTest>

namespace {

// Installed applications, found by id or StartupWMClass, ignoring case, as the real directory does.
class FakeDirectory : public AppDirectory {
public:
    void add(const QString &id, const QString &name, const QString &wmClass = QString())
    {
        entries_.append({id, name, id + QStringLiteral("-icon"), wmClass, true});
    }
    std::optional<DesktopEntry> find(const QString &identifier) override
    {
        for (const DesktopEntry &e : entries_) {
            if (e.id.compare(identifier, Qt::CaseInsensitive) == 0)
                return e;
        }
        for (const DesktopEntry &e : entries_) {
            if (!e.startupWmClass.isEmpty() && e.startupWmClass.compare(identifier, Qt::CaseInsensitive) == 0)
                return e;
        }
        return std::nullopt;
    }

private:
    QList<DesktopEntry> entries_;
};

ToplevelFacts facts(const QString &appId, qint64 pid = 0, const QString &desktopFile = QString(),
                    const QString &resourceClass = QString())
{
    ToplevelFacts f;
    f.appId = appId;
    f.pid = pid;
    f.desktopFileName = desktopFile;
    f.resourceClass = resourceClass;
    return f;
}

const qint64 ownPid = 4242;

} // namespace

class TestToplevelIdentity : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void unitOfTheProcessComesFirst();
    void declaredIdsInOrder();
    void uninstalledApplications();
    void thisProgram();
    void chainPrefersTheFirstAvailableSource();

private:
    // The identifier the window is given, "(none)" without one, "(no app)" for no application.
    QString idOf(const ToplevelFacts &window)
    {
        const std::optional<RunningApp> app = identity_->appOf(window);
        return app ? app->bundleIdentifier.value_or(QStringLiteral("(none)")) : QStringLiteral("(no app)");
    }

    FakeDirectory directory_;
    QHash<qint64, QStringList> units_;
    std::unique_ptr<ToplevelIdentity> identity_;
};

void TestToplevelIdentity::init()
{
    directory_ = FakeDirectory();
    directory_.add(QStringLiteral("org.gnome.TextEditor"), QStringLiteral("Text Editor"));
    directory_.add(QStringLiteral("firefox-esr"), QStringLiteral("Firefox ESR"), QStringLiteral("firefox-esr"));
    directory_.add(QStringLiteral("org.mozilla.Thunderbird"), QStringLiteral("Thunderbird"));
    directory_.add(QStringLiteral("org.codeberg.dnkl.foot"), QStringLiteral("Foot"), QStringLiteral("foot"));
    units_ = {{100, {QStringLiteral("org.gnome.TextEditor")}},
              {200, {QStringLiteral("org.mozilla.Thunderbird")}},
              {300, {QStringLiteral("firefox_firefox"), QStringLiteral("firefox")}}};
    identity_ = std::make_unique<ToplevelIdentity>(
        &directory_, [this](qint64 pid) { return units_.value(pid); }, ownPid);
}

void TestToplevelIdentity::unitOfTheProcessComesFirst()
{
    // The app_id says nothing installed; the unit names the desktop file.
    std::optional<RunningApp> app = identity_->appOf(facts(QStringLiteral("gnome-text-editor"), 100));
    QVERIFY(app);
    QCOMPARE(app->bundleIdentifier, QStringLiteral("org.gnome.TextEditor"));
    QCOMPARE(app->localizedName, QStringLiteral("Text Editor"));
    QCOMPARE(app->iconName, QStringLiteral("org.gnome.TextEditor-icon"));
    QCOMPARE(app->pid, 100);

    // Unit and window agree.
    QCOMPARE(idOf(facts(QStringLiteral("org.gnome.TextEditor"), 100)), QStringLiteral("org.gnome.TextEditor"));
    // A unit naming nothing installed (a snap's names) gives way to the window's installed entry.
    QCOMPARE(idOf(facts(QStringLiteral("firefox-esr"), 300)), QStringLiteral("firefox-esr"));

    // But the window wins over the unit of another installed application: a browser started from a
    // link in the mail program runs in the mail program's unit.
    app = identity_->appOf(facts(QStringLiteral("firefox-esr"), 200));
    QCOMPARE(app->bundleIdentifier, QStringLiteral("firefox-esr"));
    QCOMPARE(app->localizedName, QStringLiteral("Firefox ESR"));
}

void TestToplevelIdentity::declaredIdsInOrder()
{
    // The desktop file the desktop matched, with or without its suffix, before the app_id.
    QCOMPARE(idOf(facts(QStringLiteral("foot"), 0, QStringLiteral("org.gnome.TextEditor.desktop"))),
             QStringLiteral("org.gnome.TextEditor"));
    // An app_id that is an entry's StartupWMClass, in another case.
    QCOMPARE(idOf(facts(QStringLiteral("Foot"))), QStringLiteral("org.codeberg.dnkl.foot"));
    // An XWayland window: only its class.
    const std::optional<RunningApp> app = identity_->appOf(facts(QString(), 0, QString(), QStringLiteral("Firefox-esr")));
    QCOMPARE(app->bundleIdentifier, QStringLiteral("firefox-esr"));
    QCOMPARE(app->localizedName, QStringLiteral("Firefox ESR"));
}

void TestToplevelIdentity::uninstalledApplications()
{
    // Nothing installed: the unit's id, else the first declared one, keeps the identifier; the
    // catalogue may still know it through its aliases.
    QCOMPARE(idOf(facts(QStringLiteral("firefox"), 300)), QStringLiteral("firefox_firefox"));
    const std::optional<RunningApp> app =
        identity_->appOf(facts(QStringLiteral("com.example.Tool"), 0, QStringLiteral("tool.desktop"), QStringLiteral("Tool")));
    QCOMPARE(app->bundleIdentifier, QStringLiteral("tool"));
    QCOMPARE(app->localizedName, QStringLiteral("Tool"));
    QVERIFY(app->iconName.isEmpty());
    QCOMPARE(idOf(facts(QStringLiteral("  com.example.Tool "))), QStringLiteral("com.example.Tool"));

    // Nothing at all; a process we know nothing else about is an application, just not one we can
    // name; no desktop entries at all.
    QCOMPARE(idOf(ToplevelFacts()), QStringLiteral("(no app)"));
    QCOMPARE(idOf(facts(QStringLiteral("   "))), QStringLiteral("(no app)"));
    QCOMPARE(idOf(facts(QString(), 999)), QStringLiteral("(none)"));
    ToplevelIdentity bare(nullptr, [](qint64) { return QStringList(); }, ownPid);
    QCOMPARE(bare.appOf(facts(QStringLiteral("foot")))->bundleIdentifier, QStringLiteral("foot"));
}

void TestToplevelIdentity::thisProgram()
{
    const QString ownId = QString::fromLatin1(PlatformProfile::applicationId);
    // Our own Wayland window, our XWayland window, a window of our process with an odd id, and a
    // process in our unit.
    units_.insert(500, {QStringLiteral("org.corvane.Corvane")});
    for (const ToplevelFacts &window : {facts(QStringLiteral("org.corvane.Corvane")), facts(QString(), 0, QString(), QStringLiteral("Corvane")),
                                        facts(QStringLiteral("corvane")), facts(QStringLiteral("firefox-esr"), ownPid),
                                        facts(QString(), 0, QStringLiteral("org.corvane.Corvane.desktop")), facts(QString(), 500)})
        QCOMPARE(idOf(window), ownId);
}

void TestToplevelIdentity::chainPrefersTheFirstAvailableSource()
{
    ActivationSourceChain chain;
    auto nativeOwner = std::make_unique<StandInActivationSource>();
    auto fallbackOwner = std::make_unique<StandInActivationSource>();
    StandInActivationSource &native = *nativeOwner, &fallback = *fallbackOwner;
    native.available = false;
    chain.append(std::move(nativeOwner), QStringLiteral("native"));
    chain.append(std::move(fallbackOwner), QStringLiteral("x11"));
    QCOMPARE(chain.names(), QStringLiteral("native, x11"));

    QStringList seen;
    chain.follow([&seen](const RunningApp &app) { seen.append(app.bundleIdentifier.value_or(QStringLiteral("?"))); });

    // Only the fallback can tell: it speaks.
    fallback.activate(QStringLiteral("xterm"));
    QCOMPARE(chain.availableName(), QStringLiteral("x11"));
    QCOMPARE(chain.frontmostApp()->bundleIdentifier, QStringLiteral("xterm"));

    // The native source comes up (an extension enabled, KWin back): the fallback's stale or
    // partial view no longer passes, not even for its frontmost window.
    native.available = true;
    native.activate(QStringLiteral("foot"));
    fallback.activate(QStringLiteral("xterm"));
    QCOMPARE(chain.availableName(), QStringLiteral("native"));
    QCOMPARE(chain.frontmostApp()->bundleIdentifier, QStringLiteral("foot"));
    QCOMPARE(seen, (QStringList{"xterm", "foot"}));

    native.available = false;
    fallback.available = false;
    QVERIFY(!chain.isAvailable());
    QVERIFY(!chain.frontmostApp());
    QCOMPARE(chain.availableName(), QStringLiteral("none"));
}

QTEST_GUILESS_MAIN(TestToplevelIdentity)
#include "tst_toplevelidentity.moc"

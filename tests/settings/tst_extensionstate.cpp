// The settings window's line on our GNOME Shell extension, with a stand-in for the shell.
#include "services/MemoryDefaultsStore.h"
#include "platform/ShellExtension.h"
#include "settings/Preferences.h"
#include "settings/ui/ExtensionStateView.h"
#include "settings/ui/SettingsView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class FakeExtension : public ShellExtension {
public:
    State state() const override { return state_; }
    void enable() override
    {
        ++enableCalls;
        set(State::Active);
    }
    void set(State state)
    {
        state_ = state;
        Q_EMIT stateChanged();
    }
    int enableCalls = 0;

private:
    State state_ = State::Unknown;
};

} // namespace

class TestExtensionState : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineAndButtonFollowTheState()
    {
        MemoryDefaultsStore defaults;
        Preferences preferences(defaults);
        SettingsView view(preferences);
        QVERIFY(!view.extensionView());

        FakeExtension extension;
        extension.set(ShellExtension::State::Disabled);
        view.showExtension(extension);
        view.showExtension(extension);  // once only
        QVERIFY(view.extensionView());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // The window has room for the line: it lies inside, under nothing else.
        QVERIFY(view.rect().contains(view.extensionView()->geometry()));
        QLabel *label = view.extensionView()->stateLabel();
        QPushButton *button = view.extensionView()->enableButton();
        QVERIFY(label->text().contains(QStringLiteral("off")));
        QVERIFY(button->isVisible());

        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(extension.enableCalls, 1);
        QVERIFY(label->text().contains(QStringLiteral("is on")));
        QVERIFY(!button->isVisible());

        // Installed while the shell ran: only a new log-in starts it, and no button pretends otherwise.
        extension.set(ShellExtension::State::NeedsLogout);
        QVERIFY(label->text().contains(QStringLiteral("Log out")));
        QVERIFY(!button->isVisible());
        for (ShellExtension::State state : {ShellExtension::State::NotInstalled, ShellExtension::State::Failed,
                                            ShellExtension::State::Unknown}) {
            extension.set(state);
            QVERIFY(!label->text().isEmpty());
            QVERIFY(!button->isVisible());
        }
    }
};

QTEST_MAIN(TestExtensionState)
#include "tst_extensionstate.moc"

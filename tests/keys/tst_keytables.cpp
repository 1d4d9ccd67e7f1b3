// The key tables run through xkbcommon: every key the program can hold and every key name the
// catalogue and the binding readers use has a keysym, and each comes back from it unchanged.
#include "catalogue/bindings/BindingKeys.h"
#include "keys/DesktopKeyNames.h"
#include "keys/KeyCodes.h"
#include "keys/KeyLabels.h"
#include "keys/KeyNotation.h"
#include "keys/KeySyms.h"
#include "keys/KeyTokens.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTest>

namespace {

void collectKeys(const QJsonValue &value, QSet<QString> &tokens)
{
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            collectKeys(item, tokens);
        return;
    }
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() != QLatin1String("key")) {
            collectKeys(it.value(), tokens);
            continue;
        }
        for (const QString &chord : it.value().toString().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            for (const QString &token : chord.split(QLatin1Char('+'), Qt::SkipEmptyParts))
                tokens.insert(token.toLower());
        }
    }
}

// A token of the data notation names a key with a keysym whose name xkbcommon reads back, and the
// token that keysym gives shows the same key cap.
void checkToken(const QString &token, const QString &where)
{
    const std::optional<quint32> keysym = KeyTokens::toKeysym(token);
    QVERIFY2(keysym, qPrintable(QStringLiteral("%1: \"%2\" has no keysym").arg(where, token)));
    const QString name = KeySyms::name(*keysym);
    QVERIFY2(!name.isEmpty() && KeySyms::fromName(name) == keysym,
             qPrintable(QStringLiteral("%1: \"%2\" -> \"%3\" does not read back").arg(where, token, name)));
    const std::optional<QString> back = KeyTokens::fromKeysym(*keysym);
    QVERIFY2(back, qPrintable(QStringLiteral("%1: keysym %2 has no token").arg(where, name)));
    // Modifiers keep their platform's glyph ("cmd" is the Super key here); every other key its cap.
    if (!KeyTokens::modifierNamed(*back))
        QCOMPARE(KeyNotation::keySymbol(*back), KeyNotation::keySymbol(token));
}

} // namespace

class TestKeyTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Every code the recorder can store is written to each desktop by its keysym name and read back
    // from GNOME's settings as the same key; the catalogue names it, so a conflict can be found.
    void everyKeyCodeRoundTrips()
    {
        const quint32 allModifiers = KeyCodes::CommandMask | KeyCodes::ControlMask | KeyCodes::OptionMask
            | KeyCodes::ShiftMask;
        int codes = 0;
        for (quint32 code = 0; code < 128; ++code) {
            bool keypad = false;
            const std::optional<int> qtKey = KeyCodes::toQtKey(code, &keypad);
            const std::optional<quint32> keysym = KeyCodes::toKeysym(code);
            QCOMPARE(bool(keysym), bool(qtKey));
            if (!keysym)
                continue;
            ++codes;
            const QString name = KeySyms::name(*keysym);
            QVERIFY2(!name.isEmpty(), qPrintable(QStringLiteral("code %1").arg(code)));
            QCOMPARE(KeySyms::fromName(name), keysym);
            const std::optional<KeyCodes::Key> key = KeyCodes::fromKeysym(*keysym);
            QVERIFY(key);
            QCOMPARE(key->code, code);
            QCOMPARE(key->qtKey, *qtKey);
            QCOMPARE(key->keypad, keypad);
            QCOMPARE(DesktopKeyNames::keysymName(code), name);
            const auto gnome = DesktopKeyNames::fromGtkAccelerator(*DesktopKeyNames::gtkAccelerator(code, allModifiers));
            QCOMPARE(gnome, std::make_pair(code, allModifiers));
            const std::optional<QString> token = KeyTokens::fromKeysym(*keysym);
            QVERIFY2(token, qPrintable(name));
            checkToken(*token, name);
        }
        QCOMPARE(codes, 100);  // every code of KeyCodes' numbering
    }

    void catalogueKeyNamesResolve()
    {
        const QDir folder(QStringLiteral(CORVANE_SOURCE_DIR "/data/ShortcutData"));
        const QStringList files = folder.entryList({QStringLiteral("*.json")}, QDir::Files);
        QVERIFY(files.size() > 10);
        for (const QString &file : files) {
            QFile in(folder.filePath(file));
            QVERIFY(in.open(QIODevice::ReadOnly));
            QSet<QString> tokens;
            collectKeys(QJsonDocument::fromJson(in.readAll()).object(), tokens);
            QVERIFY(!tokens.isEmpty());
            for (const QString &token : std::as_const(tokens)) {
                if (!KeyLabels::isMouseAction(token))
                    checkToken(token, file);
            }
        }
    }

    // The names each reader of another program's bindings turns keys into.
    void bindingReaderNamesResolve()
    {
        using N = AppBindings::Notation;
        const std::pair<N, const char *> written[] = {
            {N::Qt, "Del, Ins, PgUp, PgDown, Page Up, Page Down, Backtab, Esc, Return, F12, Space, Backspace"},
            {N::Qt, "Volume Up, Volume Down, Volume Mute, Media Play, Media Next, Media Previous"},
            {N::Qt, "Monitor Brightness Up, Monitor Brightness Down, Home, End, Left, Print, Menu"},
            {N::Qt, "[, ], `, ~, ', ;, /, \\, =, -, ., ,, ?, Ctrl++"},
            {N::VsCode, "numpad_add numpad_subtract numpad_multiply numpad_divide numpad_decimal numpad5"},
            {N::VsCode, "escape pageup pagedown [BracketLeft] [Quote] [Backquote] [Minus] [KeyQ] [Digit7]"},
            {N::VsCode, "[ArrowUp] [NumpadAdd] [NumpadSubtract] [NumpadMultiply] [Numpad4] [Enter] [F5]"},
            {N::Sway, "Prior Next KP_Add KP_Enter KP_Home bracketleft apostrophe grave XF86AudioMute Super_L"},
            {N::Sway, "colon question BackSpace Delete Insert Return Escape Tab F35 ISO_Left_Tab"},
            {N::Openbox, "Page_Up Page_Down KP_Subtract Pause Scroll_Lock Num_Lock Caps_Lock"},
            {N::Gtk, "<Super>Above_Tab"},
        };
        for (const auto &[notation, text] : written) {
            const std::optional<QString> keys = BindingKeys::toKeyText(notation, QString::fromLatin1(text));
            QVERIFY2(keys, text);
            for (const QString &chord : keys->split(QLatin1Char(' '))) {
                for (const QString &token : chord.split(QLatin1Char('+')))
                    checkToken(token, QString::fromLatin1(text));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestKeyTables)
#include "tst_keytables.moc"

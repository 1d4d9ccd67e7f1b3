#include "settings/Preferences.h"

#include "services/DefaultsStore.h"
#include "platform/PlatformProfile.h"
#include "services/StandardDefaults.h"
#include "services/SystemLog.h"
#include "settings/TypingKeys.h"

#include <cmath>

namespace {

const QString accentNameKey = QStringLiteral("accentName");
const QString onlyInstalledAppsKey = QStringLiteral("onlyInstalledApps");
const QString readInstalledAppsKey = QStringLiteral("readInstalledApps");
const QString hotKeyCodeKey = QStringLiteral("hotKeyCode");
const QString hotKeyModifiersKey = QStringLiteral("hotKeyModifiers");
const QString hotKeyDisplayKey = QStringLiteral("hotKeyDisplay");
const QString keyLabelsKey = QStringLiteral("keyLabels");

// A string, or a number as its text; nothing for any other kind of value.
std::optional<QString> readString(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return std::nullopt;
    }
}

bool readBool(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong() != 0;
    case QMetaType::Double:
        return value.toDouble() != 0.0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed().toLower();
        return text == QLatin1String("true") || text == QLatin1String("yes") || text.toLongLong() != 0;
    }
    default:
        return false;
    }
}

// A number whose value is exactly an integer in 0 ... 0xFFFFFFFF (anything else cannot be registered
// as a hot key); otherwise nothing.
std::optional<qint64> readHotKeyNumber(const QVariant &value)
{
    constexpr qint64 max = 0xFFFFFFFFLL;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qint64 n = value.toLongLong();
        return n >= 0 && n <= max ? std::optional<qint64>(n) : std::nullopt;
    }
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        const quint64 n = value.toULongLong();
        return n <= quint64(max) ? std::optional<qint64>(qint64(n)) : std::nullopt;
    }
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) || d < 0 || d > double(max))
            return std::nullopt;
        return qint64(d);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

QString Preferences::defaultHotKeyDisplay()
{
    return QString::fromUtf16(PlatformProfile::defaultHotKeyDisplay);
}

Preferences &Preferences::shared()
{
    static Preferences *preferences = new Preferences(StandardDefaults::shared());  // lives as long as the process
    return *preferences;
}

Preferences::Preferences(DefaultsStore &defaults, QObject *parent)
    : QObject(parent),
      defaults_(defaults),
      accentName_(readString(defaults.value(accentNameKey)).value_or(QStringLiteral("blue"))),
      onlyInstalledApps_(readBool(defaults.value(onlyInstalledAppsKey))),
      readInstalledApps_(!defaults.value(readInstalledAppsKey).isValid() || readBool(defaults.value(readInstalledAppsKey))),
      hotKeyCode_(readHotKeyNumber(defaults.value(hotKeyCodeKey)).value_or(defaultHotKeyCode)),
      hotKeyModifiers_(quint32(readHotKeyNumber(defaults.value(hotKeyModifiersKey)).value_or(defaultHotKeyModifiers))),
      hotKeyDisplay_(readString(defaults.value(hotKeyDisplayKey)).value_or(defaultHotKeyDisplay())),
      keyLabels_(readString(defaults.value(keyLabelsKey)).value_or(QString()))
{
    // Older versions recorded Shift with a typing key; as a global grab it swallows that character
    // everywhere. The stored values stay in the file until the user records another key.
    if (TypingKeys::takesTyping(quint32(hotKeyCode_), hotKeyModifiers_)) {
        SystemLog::shared().write(QStringLiteral("Corvane: stored hot key ") + hotKeyDisplay_
                                  + QStringLiteral(" would take a typed character from every application; "
                                                   "using the default ")
                                  + defaultHotKeyDisplay());
        hotKeyCode_ = defaultHotKeyCode;
        hotKeyModifiers_ = defaultHotKeyModifiers;
        hotKeyDisplay_ = defaultHotKeyDisplay();
    }
}

void Preferences::setAccentName(const QString &name)
{
    accentName_ = name;
    defaults_.setValue(accentNameKey, name);
    Q_EMIT accentNameChanged();
}

void Preferences::setOnlyInstalledApps(bool only)
{
    onlyInstalledApps_ = only;
    defaults_.setValue(onlyInstalledAppsKey, only);
    Q_EMIT onlyInstalledAppsChanged();
}

void Preferences::setReadInstalledApps(bool read)
{
    readInstalledApps_ = read;
    defaults_.setValue(readInstalledAppsKey, read);
    Q_EMIT readInstalledAppsChanged();
}

void Preferences::setHotKeyCode(qint64 code)
{
    hotKeyCode_ = code;
    defaults_.setValue(hotKeyCodeKey, code);
    Q_EMIT hotKeyCodeChanged();
}

void Preferences::setHotKeyModifiers(quint32 modifiers)
{
    hotKeyModifiers_ = modifiers;
    defaults_.setValue(hotKeyModifiersKey, qint64(modifiers));
    Q_EMIT hotKeyModifiersChanged();
}

void Preferences::setHotKeyDisplay(const QString &display)
{
    hotKeyDisplay_ = display;
    defaults_.setValue(hotKeyDisplayKey, display);
    Q_EMIT hotKeyDisplayChanged();
}

KeyLabelStyle Preferences::keyLabelStyle() const
{
    return KeyLabels::styleNamed(keyLabels_).value_or(KeyLabels::platformDefault());
}

void Preferences::setKeyLabelStyle(KeyLabelStyle style)
{
    keyLabels_ = KeyLabels::styleName(style);
    defaults_.setValue(keyLabelsKey, keyLabels_);
    Q_EMIT keyLabelStyleChanged();
}

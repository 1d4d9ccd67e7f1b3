#include "settings/AccentPalette.h"

namespace AccentPalette {

const QList<AccentColor> &colors()
{
    // Tuned for the panel's dark card.
    static const QList<AccentColor> palette{
        {QStringLiteral("blue"), 0x0A84FF},
        {QStringLiteral("orange"), 0xFF9F0A},
        {QStringLiteral("purple"), 0xBF5AF2},
        {QStringLiteral("green"), 0x30D158},
        {QStringLiteral("pink"), 0xFF375F},
        {QStringLiteral("red"), 0xFF453A},
        {QStringLiteral("teal"), 0x40C8E0},
    };
    return palette;
}

quint32 colorNamed(const QString &name)
{
    for (const AccentColor &accent : colors()) {
        if (accent.name == name)
            return accent.rgb;
    }
    return colors().first().rgb;
}

} // namespace AccentPalette

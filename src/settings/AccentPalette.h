#pragma once

#include <QList>
#include <QString>

// The accent colours the user can pick, in the order the settings show them, as plain RGB values.
struct AccentColor {
    QString name;
    quint32 rgb;  // 0xRRGGBB
};

namespace AccentPalette {

const QList<AccentColor> &colors();
// The colour named exactly `name` (case-sensitive); blue when there is none.
quint32 colorNamed(const QString &name);

} // namespace AccentPalette

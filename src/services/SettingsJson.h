#pragma once

#include <QByteArray>
#include <QVariantMap>

#include <optional>

// The settings file's format: one JSON object. Values keep their JSON types: integers read back as
// qlonglong, numbers written with a fraction or an exponent as double, arrays as QVariantList,
// null as an invalid QVariant.
namespace SettingsJson {

// The settings held in a file's bytes, or nothing when they are not a JSON object. Bytes with no
// content at all (or only white space) hold no settings; they are not damaged.
std::optional<QVariantMap> decode(const QByteArray &bytes);

// Indented, keys sorted, one value per line, so that the file stays readable by people.
QByteArray encode(const QVariantMap &values);

} // namespace SettingsJson

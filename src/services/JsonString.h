#pragma once

#include <string_view>

// The one writer of JSON strings, for the settings file, the data files and the benchmarks' catalogues.
namespace JsonString {

// Appends `utf8` to `out` (a std::string or QByteArray) as a JSON string: in double quotes, with the
// quote, the backslash and every control character escaped (the short forms where JSON has one,
// \u00XX otherwise); everything else, UTF-8 included, is copied as it is.
template <typename Bytes>
void append(Bytes &out, std::string_view utf8)
{
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += hex[static_cast<unsigned char>(c) >> 4];
                out += hex[c & 0xf];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace JsonString

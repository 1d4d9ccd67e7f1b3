#include "catalogue/bindings/KGlobalShortcutsReader.h"

#include <QStringList>

namespace {

// KConfig's escapes in values: \t, \n, \s, \\.
QString unescape(QStringView value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u't': out += QLatin1Char('\t'); break;
        case u'n': out += QLatin1Char('\n'); break;
        case u's': out += QLatin1Char(' '); break;
        default: out += next;
        }
    }
    return out;
}

QStringList keysOf(const QString &field)
{
    QStringList keys;
    for (const QString &key : field.split(QLatin1Char('\t'), Qt::SkipEmptyParts)) {
        if (key.trimmed().compare(QLatin1String("none"), Qt::CaseInsensitive) != 0)
            keys << key.trimmed();
    }
    return keys;
}

} // namespace

AppBindings KGlobalShortcutsReader::parse(const QByteArray &text, const QString &origin)
{
    AppBindings result;
    result.app = QStringLiteral("kde-plasma");
    result.notation = AppBindings::Notation::Qt;
    QString component;
    QString componentName;
    qsizetype componentStart = 0;
    // The name may come after the component's actions: each component's bindings take its name
    // once the component ends, in one pass however often the name is given.
    const auto nameComponent = [&] {
        for (qsizetype i = componentStart; i < result.bindings.size(); ++i)
            result.bindings[i].section = componentName;
    };
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            // "[kwin]"; nested groups ("[a][b]") are not components.
            const qsizetype close = line.indexOf(QLatin1Char(']'));
            nameComponent();
            component = close > 1 && close == line.size() - 1 ? line.mid(1, close - 1).toString() : QString();
            componentName = component;
            componentStart = result.bindings.size();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (component.isEmpty() || equals <= 0)
            continue;
        const QString action = line.left(equals).trimmed().toString();
        const QString value = unescape(line.mid(equals + 1));
        if (action == QLatin1String("_k_friendly_name")) {
            componentName = value;
            continue;
        }
        // current,default,friendly name — the name may itself hold commas.
        const qsizetype first = value.indexOf(QLatin1Char(','));
        const qsizetype second = first < 0 ? -1 : value.indexOf(QLatin1Char(','), first + 1);
        if (first < 0)
            continue;
        const QString current = value.left(first);
        const QString defaults = second < 0 ? value.mid(first + 1) : value.mid(first + 1, second - first - 1);
        const QString friendly = second < 0 ? QString() : value.mid(second + 1);
        const QStringList currentKeys = keysOf(current);
        if (currentKeys == keysOf(defaults))
            continue;
        UserBinding binding;
        binding.action = component + QLatin1Char('/') + action;
        binding.keys = currentKeys;
        binding.title = friendly.isEmpty() ? action : friendly;
        binding.origin = origin + QStringLiteral(" [") + component + QStringLiteral("] ") + action;
        result.bindings.append(std::move(binding));
    }
    nameComponent();
    return result;
}

#include "catalogue/bindings/OpenboxConfigReader.h"

#include "catalogue/bindings/ActionBindings.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace {

// One <action> element: its name and the text of its option elements, "name opt=value ...".
QString readAction(QXmlStreamReader &xml)
{
    QString text = xml.attributes().value(QLatin1String("name")).toString();
    int depth = 0;
    QString option;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            option = xml.name().toString();
        } else if (token == QXmlStreamReader::Characters && depth > 0 && !xml.isWhitespace()) {
            text += QLatin1Char(' ') + option + QLatin1Char('=') + xml.text().toString().simplified();
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            --depth;
        }
    }
    return text;
}

} // namespace

std::optional<AppBindings> OpenboxConfigReader::parse(const QByteArray &bytes, const QString &origin)
{
    AppBindings result;
    result.app = QStringLiteral("openbox");
    result.notation = AppBindings::Notation::Openbox;
    result.complete = true;
    ActionBindings bindings;

    QXmlStreamReader xml(bytes);
    bool inKeyboard = false;
    QStringList chain;  // the keys of the enclosing keybinds
    QList<QStringList> actions;  // per open keybind
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto name = xml.name();
            if (name == QLatin1String("keyboard")) {
                inKeyboard = true;
            } else if (inKeyboard && name == QLatin1String("keybind")) {
                chain << xml.attributes().value(QLatin1String("key")).toString().trimmed();
                actions.append(QStringList());
            } else if (inKeyboard && name == QLatin1String("action") && !actions.isEmpty()) {
                actions.last() << readAction(xml);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const auto name = xml.name();
            if (name == QLatin1String("keyboard")) {
                inKeyboard = false;
            } else if (inKeyboard && name == QLatin1String("keybind") && !chain.isEmpty()) {
                const QStringList own = actions.takeLast();
                // A chain longer than anyone types is not a binding (and joining every level of a
                // deep nesting would cost the square of its depth).
                const bool tooLong = chain.size() > OpenboxConfigReader::maxChain;
                const QString keys = tooLong ? QString() : chain.join(QLatin1Char(' '));
                chain.removeLast();
                if (own.isEmpty() || tooLong)
                    continue;  // a chain's prefix: its inner keybinds carry the actions
                bindings.add(own.join(QStringLiteral("; ")), {keys}, origin);
            }
        }
    }
    if (xml.hasError())
        return std::nullopt;
    result.bindings = bindings.take();
    return result;
}

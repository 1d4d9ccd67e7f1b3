#include "catalogue/bindings/InkscapeKeysReader.h"

#include "catalogue/bindings/ActionBindings.h"

#include <QXmlStreamReader>

std::optional<AppBindings> InkscapeKeysReader::parse(const QByteArray &bytes, const QString &origin)
{
    AppBindings result;
    result.app = QStringLiteral("inkscape");
    result.notation = AppBindings::Notation::Gtk;
    ActionBindings bindings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("bind"))
            continue;
        const auto a = xml.attributes();
        QString action;
        QStringList keys;
        if (a.hasAttribute(QLatin1String("gaction"))) {
            action = a.value(QLatin1String("gaction")).toString();
            for (const QString &key : a.value(QLatin1String("keys")).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
                keys << key.trimmed();
        } else if (a.hasAttribute(QLatin1String("action")) && a.hasAttribute(QLatin1String("key"))) {
            action = a.value(QLatin1String("action")).toString();
            // "Ctrl,Shift" to "<Ctrl><Shift>", then the key as a keysym.
            QString accelerator;
            for (const QString &modifier : a.value(QLatin1String("modifiers")).toString().split(QLatin1Char(','), Qt::SkipEmptyParts))
                accelerator += QLatin1Char('<') + modifier.trimmed() + QLatin1Char('>');
            const QString key = a.value(QLatin1String("key")).toString();
            if (!key.isEmpty())
                keys << accelerator + key;
        } else {
            continue;
        }
        if (action.isEmpty())
            continue;
        bindings.add(action, keys, origin);
    }
    if (xml.hasError())
        return std::nullopt;
    result.bindings = bindings.take();
    return result;
}

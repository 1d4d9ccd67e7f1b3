#include "catalogue/bindings/KXmlGuiReader.h"

#include <QXmlStreamReader>

std::optional<AppBindings> KXmlGuiReader::parse(const QByteArray &bytes, const QString &origin, const QString &app)
{
    AppBindings result;
    result.app = app;
    result.notation = AppBindings::Notation::Qt;
    QXmlStreamReader xml(bytes);
    int inProperties = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("ActionProperties")) {
                ++inProperties;
            } else if (inProperties && xml.name() == QLatin1String("Action")) {
                const auto attributes = xml.attributes();
                if (!attributes.hasAttribute(QLatin1String("shortcut")))
                    continue;
                UserBinding binding;
                binding.action = attributes.value(QLatin1String("name")).toString();
                if (binding.action.isEmpty())
                    continue;
                for (const QString &key : attributes.value(QLatin1String("shortcut")).toString().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                    if (!key.trimmed().isEmpty())
                        binding.keys << key.trimmed();
                }
                binding.title = binding.action;
                binding.origin = origin;
                result.bindings.append(std::move(binding));
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("ActionProperties")) {
            --inProperties;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return result;
}

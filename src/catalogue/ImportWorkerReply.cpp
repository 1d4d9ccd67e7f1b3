#include "catalogue/ImportWorkerReply.h"

#include "catalogue/AppShortcutsDecoder.h"
#include "catalogue/AppShortcutsEncoder.h"
#include "catalogue/LocalTitles.h"
#include "catalogue/ShortcutsWindowReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray ImportWorkerReply::encode(const ShortcutsWindowImport::Result &result)
{
    QJsonObject reply{{QStringLiteral("error"), result.error},
                      {QStringLiteral("resourcePath"), result.resourcePath},
                      {QStringLiteral("container"), result.container},
                      {QStringLiteral("warnings"), QJsonArray::fromStringList(result.warnings)}};
    if (result.found()) {
        const auto app = ShortcutsWindowReader::makeApp(QStringLiteral("worker"), QStringLiteral("worker"), std::nullopt,
                                                        result.container, LocalTitles::english(result.sections));
        reply.insert(QStringLiteral("data"), QString::fromUtf8(AppShortcutsEncoder::encode(app)));
        reply.insert(QStringLiteral("local"), LocalTitles::layer(result.sections));
    } else {
        reply.insert(QStringLiteral("data"), QJsonValue::Null);
    }
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

std::optional<ShortcutsWindowImport::Result> ImportWorkerReply::decode(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject reply = document.object();
    const QJsonValue data = reply.value(QLatin1String("data"));
    if (error.error != QJsonParseError::NoError || !document.isObject() || !reply.value(QLatin1String("error")).isString()
        || !reply.value(QLatin1String("warnings")).isArray() || !(data.isString() || data.isNull()))
        return std::nullopt;
    ShortcutsWindowImport::Result result;
    result.error = reply.value(QLatin1String("error")).toString();
    result.resourcePath = reply.value(QLatin1String("resourcePath")).toString();
    result.container = reply.value(QLatin1String("container")).toString();
    for (const QJsonValue &warning : reply.value(QLatin1String("warnings")).toArray())
        result.warnings << warning.toString();
    if (data.isString()) {
        AppShortcutsDecoder decoder;
        const auto decoded = decoder.decode(data.toString().toUtf8());
        if (!decoded.app || decoded.app->keymaps.isEmpty())
            return std::nullopt;
        auto sections = LocalTitles::applied(decoded.app->keymaps.first().sections,
                                             reply.value(QLatin1String("local")).toArray());
        if (!sections)
            return std::nullopt;
        result.sections = std::move(*sections);
    }
    return result;
}

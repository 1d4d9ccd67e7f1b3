#include "catalogue/bindings/VsCodeKeybindingsReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QByteArray VsCodeKeybindingsReader::plainJson(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    qsizetype pendingComma = -1;  // where a comma was copied, until something shows it is not trailing
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '"') {
            // A string, copied with its escapes.
            pendingComma = -1;
            out += c;
            for (++i; i < n; ++i) {
                out += text[i];
                if (text[i] == '\\' && i + 1 < n)
                    out += text[++i];
                else if (text[i] == '"')
                    break;
            }
        } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n')
                ++i;
            out += '\n';
        } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            const qsizetype end = text.indexOf("*/", i + 2);
            i = end < 0 ? n : end + 1;
            out += ' ';
        } else if (c == ',') {
            pendingComma = out.size();
            out += c;
        } else if (c == ']' || c == '}') {
            if (pendingComma >= 0)
                out[pendingComma] = ' ';
            pendingComma = -1;
            out += c;
        } else {
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                pendingComma = -1;
            out += c;
        }
    }
    return out;
}

std::optional<AppBindings> VsCodeKeybindingsReader::parse(const QByteArray &json, const QString &origin, const QString &app)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(plainJson(json), &error);
    // An empty file is no bindings, as the editor itself takes it.
    if (json.trimmed().isEmpty())
        return AppBindings{app, AppBindings::Notation::VsCode, false, {}};
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    AppBindings result;
    result.app = app;
    result.notation = AppBindings::Notation::VsCode;
    for (const QJsonValue &item : document.array()) {
        const QJsonObject rule = item.toObject();
        const QString command = rule.value(QLatin1String("command")).toString();
        const QString key = rule.value(QLatin1String("key")).toString();
        if (command.isEmpty() || command == QLatin1String("-"))
            continue;
        UserBinding binding;
        binding.origin = origin;
        if (command.startsWith(QLatin1Char('-'))) {
            binding.action = command.mid(1);
            binding.mode = UserBinding::Mode::Remove;
            if (!key.isEmpty())
                binding.keys = {key};
        } else {
            if (key.isEmpty())
                continue;
            binding.action = command;
            binding.mode = UserBinding::Mode::Add;
            binding.keys = {key};
            binding.title = command;
        }
        result.bindings.append(std::move(binding));
    }
    return result;
}

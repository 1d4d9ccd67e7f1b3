#include "platform/freedesktop/GSettingsSchemaDefaults.h"

#include "platform/freedesktop/GioHandles.h"

#include <algorithm>

GSettingsSchemaDefaults::Result GSettingsSchemaDefaults::read(const QString &schemaId)
{
    Result result;
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();  // not owned
    if (!source)
        return result;
    const GioHandles::Owned<GSettingsSchema> schema(
        g_settings_schema_source_lookup(source, schemaId.toUtf8().constData(), TRUE));
    if (!schema)
        return result;
    result.found = true;
    gchar **names = g_settings_schema_list_keys(schema.get());
    for (gchar **name = names; name && *name; ++name) {
        const GioHandles::Owned<GSettingsSchemaKey> key(g_settings_schema_get_key(schema.get(), *name));
        const GVariantType *type = g_settings_schema_key_get_value_type(key.get());
        const GioHandles::Owned<GVariant> value(g_settings_schema_key_get_default_value(key.get()));
        Key entry;
        entry.name = QString::fromUtf8(*name);
        if (const char *summary = g_settings_schema_key_get_summary(key.get()))
            entry.summary = QString::fromUtf8(summary);
        bool keep = false;
        if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING)) {
            keep = true;
            const QString text = QString::fromUtf8(g_variant_get_string(value.get(), nullptr));
            if (!text.isEmpty())
                entry.accelerators << text;
        } else if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING_ARRAY)) {
            keep = true;
            gsize count = 0;
            const gchar **strings = g_variant_get_strv(value.get(), &count);
            for (gsize i = 0; i < count; ++i) {
                if (strings[i] && *strings[i])
                    entry.accelerators << QString::fromUtf8(strings[i]);
            }
            g_free(strings);
        }
        if (keep)
            result.keys.append(entry);
    }
    g_strfreev(names);
    std::sort(result.keys.begin(), result.keys.end(), [](const Key &a, const Key &b) { return a.name < b.name; });
    return result;
}

#include "platform/freedesktop/GSettingsSchemaDefaults.h"

#include <algorithm>

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>

GSettingsSchemaDefaults::Result GSettingsSchemaDefaults::read(const QString &schemaId)
{
    Result result;
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();  // not owned
    if (!source)
        return result;
    GSettingsSchema *schema = g_settings_schema_source_lookup(source, schemaId.toUtf8().constData(), TRUE);
    if (!schema)
        return result;
    result.found = true;
    gchar **names = g_settings_schema_list_keys(schema);
    for (gchar **name = names; name && *name; ++name) {
        GSettingsSchemaKey *key = g_settings_schema_get_key(schema, *name);
        const GVariantType *type = g_settings_schema_key_get_value_type(key);
        GVariant *value = g_settings_schema_key_get_default_value(key);
        Key entry;
        entry.name = QString::fromUtf8(*name);
        if (const char *summary = g_settings_schema_key_get_summary(key))
            entry.summary = QString::fromUtf8(summary);
        bool keep = false;
        if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING)) {
            keep = true;
            const QString text = QString::fromUtf8(g_variant_get_string(value, nullptr));
            if (!text.isEmpty())
                entry.accelerators << text;
        } else if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING_ARRAY)) {
            keep = true;
            gsize count = 0;
            const gchar **strings = g_variant_get_strv(value, &count);
            for (gsize i = 0; i < count; ++i) {
                if (strings[i] && *strings[i])
                    entry.accelerators << QString::fromUtf8(strings[i]);
            }
            g_free(strings);
        }
        g_variant_unref(value);
        g_settings_schema_key_unref(key);
        if (keep)
            result.keys.append(entry);
    }
    g_strfreev(names);
    std::sort(result.keys.begin(), result.keys.end(), [](const Key &a, const Key &b) { return a.name < b.name; });
    g_settings_schema_unref(schema);
    return result;
}

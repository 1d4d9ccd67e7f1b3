#pragma once

// GIO's headers use `signals` as a name, which Qt defines as a keyword.
#undef signals
#include <gio/gio.h>

#include <memory>

// Owning pointers for the GLib and GIO values this backend reads: each gives its reference back
// with the matching unref when it goes out of scope.
namespace GioHandles {

struct Release {
    void operator()(GBytes *bytes) const { g_bytes_unref(bytes); }
    void operator()(GResource *resource) const { g_resource_unref(resource); }
    void operator()(GSettings *settings) const { g_object_unref(settings); }
    void operator()(GSettingsSchema *schema) const { g_settings_schema_unref(schema); }
    void operator()(GSettingsSchemaKey *key) const { g_settings_schema_key_unref(key); }
    void operator()(GVariant *value) const { g_variant_unref(value); }
};

template <typename T>
using Owned = std::unique_ptr<T, Release>;

} // namespace GioHandles

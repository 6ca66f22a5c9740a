#include "platform/gsettings_pointer_store.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <string>

namespace varnel {

namespace {

constexpr char kSchema[] = "org.gnome.desktop.peripherals.mouse";
constexpr char kSpeedKey[] = "speed";
constexpr char kDoubleClickKey[] = "double-click";

// The schema with both keys, or nullptr. g_settings_new aborts the program on a missing schema,
// so nothing is opened without this.
GSettingsSchema* lookupSchema() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
    if (schema == nullptr) return nullptr;
    if (!g_settings_schema_has_key(schema, kSpeedKey) || !g_settings_schema_has_key(schema, kDoubleClickKey)) {
        g_settings_schema_unref(schema);
        return nullptr;
    }
    return schema;
}

}  // namespace

// Owns one reference; a constructor rather than an aggregate, as make_unique of an aggregate
// needs C++20's parenthesised aggregate initialisation, which clang has only from 16.
struct GSettingsPointerStore::Handle {
    explicit Handle(GSettings* s) : settings(s) {}
    ~Handle() { g_object_unref(settings); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    GSettings* settings;
};

bool GSettingsPointerStore::schemaInstalled() {
    GSettingsSchema* schema = lookupSchema();
    if (schema == nullptr) return false;
    g_settings_schema_unref(schema);
    return true;
}

namespace {

GSettings* openSettings(GSettingsBackend* backend) {
    GSettingsSchema* schema = lookupSchema();
    if (schema == nullptr) return nullptr;
    GSettings* settings = g_settings_new_full(schema, backend, nullptr);
    g_settings_schema_unref(schema);
    return settings;
}

}  // namespace

std::unique_ptr<GSettingsPointerStore> GSettingsPointerStore::open() {
    GSettings* settings = openSettings(nullptr);
    if (settings == nullptr) return nullptr;
    return std::unique_ptr<GSettingsPointerStore>(new GSettingsPointerStore(std::make_unique<Handle>(settings)));
}

std::unique_ptr<GSettingsPointerStore> GSettingsPointerStore::inKeyFile(const std::filesystem::path& file) {
    GSettingsBackend* backend = g_keyfile_settings_backend_new(file.c_str(), "/", nullptr);
    GSettings* settings = openSettings(backend);
    g_object_unref(backend);  // the settings hold their own reference
    if (settings == nullptr) return nullptr;
    return std::unique_ptr<GSettingsPointerStore>(new GSettingsPointerStore(std::make_unique<Handle>(settings)));
}

GSettingsPointerStore::GSettingsPointerStore(std::unique_ptr<Handle> handle) : handle_(std::move(handle)) {}
GSettingsPointerStore::~GSettingsPointerStore() = default;

bool GSettingsPointerStore::keeps(PointerSetting s) const { return s != PointerSetting::WheelLines; }

PointerReading GSettingsPointerStore::read(PointerSetting s) {
    switch (s) {
        case PointerSetting::Speed: return speedFromFactor(g_settings_get_double(handle_->settings, kSpeedKey));
        case PointerSetting::DoubleClick:
            return PointerReading::of(s, g_settings_get_int(handle_->settings, kDoubleClickKey));
        case PointerSetting::WheelLines: break;
    }
    return PointerReading::missing();
}

Status GSettingsPointerStore::write(PointerSetting s, int value) {
    // False when the key is locked down or the value is outside the schema's range.
    gboolean done = FALSE;
    const char* key = "";
    switch (s) {
        case PointerSetting::Speed:
            key = kSpeedKey;
            done = g_settings_set_double(handle_->settings, key, factorFromSpeed(value));
            break;
        case PointerSetting::DoubleClick:
            key = kDoubleClickKey;
            done = g_settings_set_int(handle_->settings, key, value);
            break;
        case PointerSetting::WheelLines: return makeError("GSettings keeps no wheel lines");
    }
    if (done) return Status::success();
    return makeError(std::string(kSchema) + " " + key + ": the value " + std::to_string(value) + " was refused");
}

Status GSettingsPointerStore::apply(const PointerNumbers&) {
    // The desktop follows its settings by itself; the writes only have to leave this process.
    g_settings_sync();
    return Status::success();
}

}  // namespace varnel

#pragma once
// GNOME and the desktops that follow its mouse settings: org.gnome.desktop.peripherals.mouse
// through GSettings. `speed` (-1..1) stands for speed 1..20, `double-click` is in milliseconds.
// The installed schemas have no key for wheel lines, so that setting is not kept here. A written
// value reaches the running desktop through GSettings itself.
#include <filesystem>
#include <memory>

#include "platform/pointer_store.h"

namespace varnel {

class GSettingsPointerStore final : public PointerSettingsStore {
public:
    // The mouse schema is installed with the keys used here.
    static bool schemaInstalled();
    // On the default GSettings back-end (the desktop's); nullptr without the schema.
    static std::unique_ptr<GSettingsPointerStore> open();
    // On a GSettings key file of its own (keys under the group "org/gnome/desktop/peripherals/mouse"),
    // as a test or a sandbox uses it; nullptr without the schema.
    static std::unique_ptr<GSettingsPointerStore> inKeyFile(const std::filesystem::path& file);
    ~GSettingsPointerStore() override;

    bool keeps(PointerSetting s) const override;
    PointerReading read(PointerSetting s) override;
    Status write(PointerSetting s, int value) override;
    Status apply(const PointerNumbers& current) override;

private:
    struct Handle;
    explicit GSettingsPointerStore(std::unique_ptr<Handle> handle);
    std::unique_ptr<Handle> handle_;
};

}  // namespace varnel

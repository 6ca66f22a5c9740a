#pragma once
// KDE Plasma: the pointer speed in kcminputrc [Mouse] XLbInptPointerAcceleration (-1..1 standing
// for speed 1..20), the double-click time and wheel lines in kdeglobals [KDE]
// DoubleClickInterval and WheelScrollLines. The files are changed key by key (the rest of them
// stays as it was); then the running desktop is told the way its settings module tells it, by the
// D-Bus signal org.kde.KGlobalSettings.notifyChange (mouse settings changed): running programs
// take up the double-click time and wheel lines at once, the pointer speed takes effect at the
// next login.
#include <filesystem>
#include <string>

#include "platform/pointer_store.h"

namespace varnel {

class KdePointerStore final : public PointerSettingsStore {
public:
    // `configFolder` holds kcminputrc and kdeglobals ($XDG_CONFIG_HOME, else ~/.config).
    // `busAddress` is the D-Bus the signal goes to (empty: the session bus).
    explicit KdePointerStore(std::filesystem::path configFolder, std::string busAddress = {});

    bool keeps(PointerSetting) const override { return true; }
    PointerReach reach(PointerSetting s) const override;
    PointerReading read(PointerSetting s) override;
    Status write(PointerSetting s, int value) override;
    Status apply(const PointerNumbers& current) override;

private:
    std::filesystem::path configFolder_;
    std::string busAddress_;
    bool written_ = false;  // a file changed since the desktop was last told
};

// What one setting is in KDE's files.
struct KdeKey {
    std::string_view file;
    std::string_view group;
    std::string_view key;
};
KdeKey kdeKeyOf(PointerSetting s);

}  // namespace varnel

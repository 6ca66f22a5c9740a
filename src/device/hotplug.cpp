#include "device/hotplug.h"

#include <algorithm>

namespace varnel {

bool HotplugFilter::searched(const std::optional<DeviceId>& ids) const {
    return ids && std::ranges::any_of(table_, [&](const DeviceId& entry) { return !entry.empty() && entry == *ids; });
}

bool HotplugFilter::concernsMouse(const HidrawAnnouncement& a) {
    switch (a.action) {
        case HidrawAnnouncement::Action::Added:
            if (!searched(a.ids)) return false;
            remembered_.insert(a.node);
            return true;
        case HidrawAnnouncement::Action::Removed: return remembered_.erase(a.node) > 0;
        case HidrawAnnouncement::Action::Other: break;
    }
    return false;
}

}  // namespace varnel

#pragma once
// Which of the announcements of hidraw nodes coming and going concern the mouse: a node that
// arrives with the USB ids searched for, or the removal of such a node. A removed node's
// attributes are gone by the time its removal is announced, so the nodes that matched are
// remembered as they come (and those present when listening began).
#include <optional>
#include <set>
#include <string>

#include "device/discovery.h"

namespace varnel {

struct HidrawAnnouncement {
    enum class Action { Added, Removed, Other };
    Action action = Action::Other;
    std::string node;             // the node's place in sysfs, the same from its arrival to its removal
    std::optional<DeviceId> ids;  // read from the node while it is there
};

class HotplugFilter {
public:
    explicit HotplugFilter(const DeviceIdTable& table) : table_(table) {}

    // Whether the announcement calls for a search: an arrival with searched ids, the removal of a
    // node that arrived with them. Nodes present at the start are given as arrivals.
    bool concernsMouse(const HidrawAnnouncement& a);

private:
    bool searched(const std::optional<DeviceId>& ids) const;

    DeviceIdTable table_;
    std::set<std::string> remembered_;
};

}  // namespace varnel

#pragma once
// A HID bus holding virtual mice and unrelated interfaces (another vendor's keyboard, say).
// Enumeration lists the mice that are on the bus at that moment, in the order they were added.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_bus.h"
#include "device/virtual_mouse.h"

namespace varnel {

class VirtualBus final : public HidBus {
public:
    void addMouse(std::shared_ptr<VirtualMouse> mouse);
    // An interface nobody here talks to; it opens, and refuses every report.
    void addUnrelated(HidInterfaceInfo info);
    // The usual neighbours: another vendor's keyboard with a short feature report; its path.
    std::string addForeignKeyboard();
    // Unplugs the unrelated interface at `path`.
    void removeUnrelated(const std::string& path);

    std::vector<HidInterfaceInfo> enumerate() override;
    OpenResult open(const std::string& path) override;

private:
    struct Entry {
        std::shared_ptr<VirtualMouse> mouse;  // null for an unrelated interface
        HidInterfaceInfo unrelated;
        std::size_t serial;  // in the mouse's paths: they stay when others leave the bus
    };
    // Mice and neighbours may be added from another thread than the one using the bus (the demo
    // plugs in at once, even while a transfer runs); a mouse's presence is its own, locked there.
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    std::size_t added_ = 0;
};

}  // namespace varnel

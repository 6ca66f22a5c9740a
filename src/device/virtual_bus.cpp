#include "device/virtual_bus.h"

namespace varnel {

namespace {

std::string mousePath(std::size_t serial, std::uint64_t generation, int index) {
    // A new generation gets new paths, as a replugged device gets new hidraw nodes.
    return "virtual/mouse" + std::to_string(serial) + "." + std::to_string(generation) + "/if" + std::to_string(index);
}

class MouseChannel final : public HidChannel {
public:
    MouseChannel(std::shared_ptr<VirtualMouse> mouse, int index, std::uint64_t generation)
        : mouse_(std::move(mouse)), index_(index), generation_(generation) {}
    ReportStatus sendFeatureReport(const FeatureReport& report) override {
        return mouse_->set(index_, generation_, report);
    }
    ReportStatus getFeatureReport(FeatureReport& report) override { return mouse_->get(index_, generation_, report); }

private:
    std::shared_ptr<VirtualMouse> mouse_;
    int index_;
    std::uint64_t generation_;
};

class RefusingChannel final : public HidChannel {
public:
    ReportStatus sendFeatureReport(const FeatureReport&) override { return ReportStatus::Refused; }
    ReportStatus getFeatureReport(FeatureReport&) override { return ReportStatus::Refused; }
};

}  // namespace

void VirtualBus::addMouse(std::shared_ptr<VirtualMouse> mouse) {
    std::lock_guard lock(mutex_);
    entries_.push_back({std::move(mouse), {}, added_++});
}

void VirtualBus::addUnrelated(HidInterfaceInfo info) {
    std::lock_guard lock(mutex_);
    entries_.push_back({nullptr, std::move(info), added_++});
}

void VirtualBus::removeUnrelated(const std::string& path) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& e) { return !e.mouse && e.unrelated.path == path; });
}

std::string VirtualBus::addForeignKeyboard() {
    HidInterfaceInfo kb;
    {
        std::lock_guard lock(mutex_);
        kb.path = "virtual/keyboard" + std::to_string(added_);
    }
    kb.vendorId = 0x2F01;
    kb.productId = 0x0A11;
    kb.featureReportLength = 2;
    kb.interfaceNumber = 0;
    kb.product = "Virtual keyboard";
    addUnrelated(kb);
    return kb.path;
}

std::vector<HidInterfaceInfo> VirtualBus::enumerate() {
    std::lock_guard lock(mutex_);
    std::vector<HidInterfaceInfo> list;
    for (const Entry& entry : entries_) {
        if (!entry.mouse) {
            list.push_back(entry.unrelated);
            continue;
        }
        if (!entry.mouse->online()) continue;
        const auto& opt = entry.mouse->options();
        for (const auto& itf : entry.mouse->interfaces()) {
            HidInterfaceInfo info;
            info.path = mousePath(entry.serial, entry.mouse->generation(), itf.index);
            info.vendorId = opt.vendorId;
            info.productId = opt.productId;
            info.featureReportLength = itf.featureReportLength;
            info.interfaceNumber = itf.index;
            info.product = "Virtual " + virtualModelName(opt.model);
            list.push_back(std::move(info));
        }
    }
    return list;
}

OpenResult VirtualBus::open(const std::string& path) {
    std::lock_guard lock(mutex_);
    for (const Entry& entry : entries_) {
        if (!entry.mouse) {
            if (entry.unrelated.path == path) return {OpenStatus::Ok, std::make_shared<RefusingChannel>(), {}};
            continue;
        }
        if (!entry.mouse->online()) continue;
        std::uint64_t generation = entry.mouse->generation();
        for (const auto& itf : entry.mouse->interfaces())
            if (mousePath(entry.serial, generation, itf.index) == path)
                return {OpenStatus::Ok, std::make_shared<MouseChannel>(entry.mouse, itf.index, generation), {}};
    }
    return {OpenStatus::Failed, nullptr, "no such device: " + path};
}

}  // namespace varnel

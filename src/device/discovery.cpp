#include "device/discovery.h"

#include <algorithm>

#include "device/commands.h"

namespace varnel {

int CountHidDevices(HidBus& bus) { return static_cast<int>(bus.enumerate().size()); }

OpenOutcome OpenDevice(HidBus& bus, std::uint32_t vendorId, std::uint32_t productId) {
    OpenOutcome out;
    for (const auto& info : bus.enumerate()) {
        if (info.featureReportLength != kFeatureReportSize) continue;
        if (info.vendorId != vendorId || info.productId != productId) continue;
        OpenResult opened = bus.open(info.path);
        if (opened.status == OpenStatus::PermissionDenied) out.permissionDenied.push_back(info.path);
        if (opened.status != OpenStatus::Ok) continue;
        out.found = true;
        // Both probes go to every matching interface; the last one to accept keeps the channel.
        FeatureReport probe = probeCommandReport();
        const ReportStatus commandProbe = opened.channel->sendFeatureReport(probe);
        if (commandProbe == ReportStatus::Ok) {
            out.channels.command = opened.channel;
            out.commandPath = info.path;
        }
        // An interface that let one probe time out would keep the next waiting as long.
        if (commandProbe == ReportStatus::TimedOut) continue;
        probe = probeDataReport();
        if (opened.channel->sendFeatureReport(probe) == ReportStatus::Ok) {
            out.channels.data = opened.channel;
            out.dataPath = info.path;
        }
    }
    return out;
}

PollStep DevicePoller::pollTick() {
    // pollBusy_ covers the tick's own search; a ReFindDev search in progress is not restarted.
    if (pollBusy_ || phase_ != Phase::None) return {PollStepKind::Skipped};
    pollBusy_ = true;
    int stable = 0, a = 0;
    for (int pass = 0; pass < 5; ++pass) {
        a = CountHidDevices(bus_);
        int b = CountHidDevices(bus_);
        if (a == b) ++stable;
    }
    if (a == lastHidCount_ || stable < 2) {
        pollBusy_ = false;
        return {PollStepKind::Idle};
    }
    return populationChanged(a);
}

PollStep DevicePoller::deviceAnnounced() {
    if (pollBusy_ || phase_ != Phase::None) return {PollStepKind::Skipped};
    pollBusy_ = true;
    // No count: the settle wait starts as soon as this returns, and no tick compares with it.
    return populationChanged(lastHidCount_);
}

PollStep DevicePoller::populationChanged(std::optional<int> count) {
    if (keepsMouse() && keptMouseAnswers()) {
        lastHidCount_ = count;
        pollBusy_ = false;
        return {PollStepKind::Idle};
    }
    pendingCount_ = count;
    return startSearch();
}

PollStep DevicePoller::ReFindDev() {
    link_.forgetChannels();
    return startSearch();
}

void DevicePoller::keepMouse() {
    if (link_.hasBothChannels()) keptPaths_ = {lastOpen_.commandPath, lastOpen_.dataPath};
}

bool DevicePoller::keptMouseAnswers() {
    const std::vector<HidInterfaceInfo> present = bus_.enumerate();
    for (const std::string& path : keptPaths_) {
        if (std::ranges::none_of(present, [&](const HidInterfaceInfo& i) { return i.path == path; })) return false;
    }
    // Channels opened before the mouse left stay dead even when it comes back under the same
    // paths: an answer on them is the same mouse, still attached.
    return link_.SendCommand(kCmdDeviceInfo, 0, 0, 0, 0) == LinkStatus::Ok && link_.ReceiveData() == LinkStatus::Ok;
}

PollStep DevicePoller::startSearch() {
    keptPaths_.clear();
    lastOpen_ = {};
    entry_ = 0;
    return nextEntry();
}

PollStep DevicePoller::nextEntry() {
    if (entry_ >= table_.size()) return finish();
    if (table_[entry_].empty()) {
        ++entry_;
        phase_ = Phase::AfterRemoved;
        return {PollStepKind::DeviceRemoved};
    }
    phase_ = Phase::AfterWait;
    return {PollStepKind::Wait, kSearchSettleTime};
}

PollStep DevicePoller::resume() {
    switch (phase_) {
        case Phase::None: return {PollStepKind::Idle};
        case Phase::AfterRemoved: return nextEntry();
        case Phase::AfterRead: return finish();
        case Phase::AfterWait: break;
    }
    // A tick's search keeps the channels through its wait, so that a user's action that comes
    // first still reaches the mouse; the search lets go of them only now.
    link_.forgetChannels();
    lastOpen_ = OpenDevice(bus_, table_[entry_].vendorId, table_[entry_].productId);
    if (lastOpen_.found) {
        link_.setChannels(lastOpen_.channels);
        phase_ = Phase::AfterRead;
        return {PollStepKind::ReadDevInfo};
    }
    ++entry_;
    return nextEntry();
}

PollStep DevicePoller::finish() {
    phase_ = Phase::None;
    // A ReFindDev may have taken over a tick's search: the tick's count is settled either way.
    if (pollBusy_) {
        lastHidCount_ = pendingCount_;
        pollBusy_ = false;
    }
    return {PollStepKind::Idle};
}

}  // namespace varnel

#include "device/virtual_mouse.h"

#include <algorithm>
#include <charconv>
#include <random>
#include <thread>

#include "device/commands.h"
#include "device/device_info.h"

namespace varnel {

namespace {

std::vector<std::string_view> splitDash(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t dash = text.find('-', start);
        parts.push_back(text.substr(start, dash - start));
        if (dash == std::string_view::npos) break;
        start = dash + 1;
    }
    return parts;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct FaultName {
    std::string_view name;
    std::uint64_t VirtualFaults::*report;
    Hostility hostility;
};

constexpr FaultName kFaultNames[] = {
    {"refuse-report", &VirtualFaults::refuseReport, Hostility::None},
    {"unplug-after", &VirtualFaults::vanishAfterReport, Hostility::None},
    {"wrong-id", &VirtualFaults::hostileFrom, Hostility::WrongId},
    {"short-answer", &VirtualFaults::hostileFrom, Hostility::ShortAnswer},
    {"garbage", &VirtualFaults::hostileFrom, Hostility::Garbage},
    {"other-variant", &VirtualFaults::hostileFrom, Hostility::OtherVariant},
    {"late-answer", &VirtualFaults::hostileFrom, Hostility::LateAnswer},
};

constexpr int kShortAnswerLength = 5;

}  // namespace

Status addVirtualFault(VirtualFaults& faults, std::string_view text) {
    const auto eq = text.find('=');
    const std::string_view name = text.substr(0, eq), number = eq == std::string_view::npos ? "" : text.substr(eq + 1);
    std::uint64_t k = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), k);
    const FaultName* found = nullptr;
    for (const FaultName& f : kFaultNames)
        if (f.name == name) found = &f;
    if (!found || ec != std::errc() || end != number.data() + number.size() || k == 0) {
        std::string names;
        for (const FaultName& f : kFaultNames) names += (names.empty() ? "" : ", ") + std::string(f.name);
        return makeError("a virtual fault is NAME=K with K >= 1, NAME one of " + names + "; not \"" +
                         std::string(text) + "\"");
    }
    faults.*(found->report) = k;
    if (found->hostility != Hostility::None) faults.hostility = found->hostility;
    return Status::success();
}

Result<VirtualMouseModel> parseVirtualModel(std::string_view text) {
    auto bad = [&] {
        return makeError("unknown virtual mouse model \"" + std::string(text) +
                         "\" (expected VARIANT-LIGHTING-SENSOR: lark|wren, rgb|color, "
                         "a3050|a5050|6520|3310|3330)");
    };
    auto parts = splitDash(text);
    if (parts.size() != 3) return bad();
    VirtualMouseModel m;
    std::string variant = lower(parts[0]), lighting = lower(parts[1]);
    if (variant == "lark")
        m.chip = ChipModel::Lark;
    else if (variant == "wren")
        m.chip = ChipModel::Wren;
    else
        return bad();
    if (lighting == "rgb")
        m.rgb = true;
    else if (lighting == "color")
        m.rgb = false;
    else
        return bad();
    auto sensor = sensorByModel(parts[2]);
    if (!sensor) return bad();
    m.sensorCode = sensor->code;
    return m;
}

std::string virtualModelName(const VirtualMouseModel& model) {
    std::string name = model.chip == ChipModel::Lark ? "lark" : "wren";
    name += model.rgb ? "-rgb-" : "-color-";
    auto sensor = sensorByCode(model.sensorCode);
    name += sensor ? lower(sensor->model) : std::to_string(model.sensorCode);
    return name;
}

VirtualMouse::VirtualMouse(VirtualMouseOptions options, std::shared_ptr<Clock> clock)
    : options_(options), clock_(std::move(clock)) {
    options_.vendorInterfaces = std::clamp(options_.vendorInterfaces, 1, 2);
    memory_.assign(options_.model.chip == ChipModel::Lark ? kParamSpaceSize : kFlashSize, 0xFF);
}

std::size_t VirtualMouse::memorySize() const { return memory_.size(); }

Bytes VirtualMouse::memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

Status VirtualMouse::loadMemory(ByteSpan bytes) {
    std::lock_guard lock(mutex_);
    if (bytes.size() != memory_.size())
        return makeError("virtual mouse memory must be " + std::to_string(memory_.size()) + " bytes, got " +
                         std::to_string(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), memory_.begin());
    return Status::success();
}

bool VirtualMouse::onlineLocked() const {
    if (!present_ && restartAt_ && clock_->now() >= *restartAt_) {
        present_ = true;
        restartAt_.reset();
    }
    return present_;
}

bool VirtualMouse::online() const {
    std::lock_guard lock(mutex_);
    return onlineLocked();
}

std::uint64_t VirtualMouse::generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

void VirtualMouse::unplug() {
    std::lock_guard lock(mutex_);
    if (present_) ++generation_;
    present_ = false;
    restartAt_.reset();
}

void VirtualMouse::plugIn() {
    std::lock_guard lock(mutex_);
    present_ = true;
    restartAt_.reset();
}

std::vector<VirtualInterface> VirtualMouse::interfaces() const {
    // The pointer collection first, the vendor interface(s), then a keyboard collection with a
    // short feature report of its own (never to be mistaken for the command channel).
    std::vector<VirtualInterface> list;
    int index = 0;
    list.push_back({InterfaceRole::Pointer, index++, 0});
    for (int i = 0; i < options_.vendorInterfaces; ++i)
        list.push_back({InterfaceRole::Vendor, index++, kFeatureReportSize});
    list.push_back({InterfaceRole::Keyboard, index++, 3});
    return list;
}

std::uint64_t VirtualMouse::reportCount() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

std::vector<std::uint8_t> VirtualMouse::commandLog() const {
    std::lock_guard lock(mutex_);
    return commands_;
}

int VirtualMouse::reloadCount(std::uint8_t command) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count(commands_.begin(), commands_.end(), command));
}

bool VirtualMouse::takes(int interfaceIndex, std::uint8_t reportId) const {
    // Interface 0 is the pointer; vendor interfaces follow.
    int vendor = interfaceIndex - 1;
    if (vendor < 0 || vendor >= options_.vendorInterfaces) return false;
    if (options_.vendorInterfaces == 1) return reportId == kCommandReportId || reportId == kDataReportId;
    return reportId == (vendor == 0 ? kCommandReportId : kDataReportId);
}

bool VirtualMouse::hostile(Hostility kind) const {
    return options_.hostility == kind && options_.hostileFrom != 0 && reports_ >= options_.hostileFrom;
}

ChipModel VirtualMouse::chip() const {
    const ChipModel own = options_.model.chip;
    if (!hostile(Hostility::OtherVariant)) return own;
    return own == ChipModel::Wren ? ChipModel::Lark : ChipModel::Wren;
}

ReportStatus VirtualMouse::admit(int interfaceIndex, std::uint64_t generation, std::uint8_t reportId,
                                 std::unique_lock<std::mutex>& lock) {
    if (generation != generation_ || !onlineLocked()) return ReportStatus::Gone;
    if (options_.latency.count() > 0) {
        const auto until = pacer_.complete(std::chrono::steady_clock::now());
        lock.unlock();
        std::this_thread::sleep_until(until);
        lock.lock();
        if (generation != generation_ || !onlineLocked()) return ReportStatus::Gone;
    }
    ++reports_;
    if (hostile(Hostility::LateAnswer)) {
        // The transport gives up first; on a manual clock the wait passes at once.
        lock.unlock();
        clock_->sleepFor(kTransportTimeout);
        lock.lock();
        return ReportStatus::TimedOut;
    }
    ReportStatus status = ReportStatus::Ok;
    if (reports_ == options_.refuseReport || !takes(interfaceIndex, reportId)) status = ReportStatus::Refused;
    return status;
}

void VirtualMouse::finishReport() {
    if (options_.vanishAfterReport != 0 && reports_ == options_.vanishAfterReport) {
        ++generation_;
        present_ = false;
        restartAt_.reset();
    }
}

ReportStatus VirtualMouse::set(int interfaceIndex, std::uint64_t generation, const FeatureReport& report) {
    std::unique_lock lock(mutex_);
    ReportStatus status = admit(interfaceIndex, generation, report[0], lock);
    if (status == ReportStatus::Gone || status == ReportStatus::TimedOut) return status;
    if (status == ReportStatus::Ok) {
        if (report[0] == kCommandReportId)
            command(report);
        else
            data(report);
    }
    finishReport();
    return status;
}

VirtualMouse::Answer VirtualMouse::get(int interfaceIndex, std::uint64_t generation, FeatureReport& report) {
    std::unique_lock lock(mutex_);
    // Only the data report can be fetched.
    std::uint8_t id = report[0];
    ReportStatus status = admit(interfaceIndex, generation, id, lock);
    if (status == ReportStatus::Gone || status == ReportStatus::TimedOut) return {status};
    if (status == ReportStatus::Ok && id != kDataReportId) status = ReportStatus::Refused;
    Answer answer{status};
    if (status == ReportStatus::Ok) {
        fetch(report);
        answer = answerHostile(report);
    }
    finishReport();
    return answer;
}

VirtualMouse::Answer VirtualMouse::answerHostile(FeatureReport& report) const {
    if (hostile(Hostility::WrongId)) report[0] = kCommandReportId;
    if (hostile(Hostility::ShortAnswer)) return {ReportStatus::Ok, kShortAnswerLength};
    if (hostile(Hostility::Garbage)) {
        std::mt19937 random(static_cast<std::uint32_t>(reports_));
        for (std::size_t i = 1; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(random());
    }
    return {ReportStatus::Ok};
}

void VirtualMouse::command(const FeatureReport& r) {
    const std::uint8_t cmd = r[kCmdByteCommand];
    const std::size_t address = readBe16(r, kCmdByteAddress);
    const std::size_t length = readBe16(r, kCmdByteLength);
    const bool wren = chip() == ChipModel::Wren;
    commands_.push_back(cmd);
    // A new command ends whatever transfer the previous one announced.
    readStream_ = Stream::None;
    writeStream_ = Stream::None;
    infoPending_ = false;
    switch (cmd) {
        case kCmdReadParam:
            if (!wren) readStream_ = Stream::Parameter, readAddress_ = address;
            break;
        case kCmdWriteParam:
            if (!wren) writeStream_ = Stream::Parameter, writeAddress_ = address, writeRemaining_ = length;
            break;
        case kCmdReadFlash:
            if (wren) readStream_ = Stream::Flash, readAddress_ = address;
            break;
        case kCmdWriteFlash:
            if (wren) writeStream_ = Stream::Flash, writeAddress_ = address, writeRemaining_ = length;
            break;
        case kCmdEraseSector:
            if (wren) {
                std::size_t start = (address >> 8 & 0xF0) << 8;
                std::fill_n(memory_.begin() + static_cast<std::ptrdiff_t>(start), kFlashSectorSize, 0xFF);
            }
            break;
        case kCmdDeviceInfo:
            readStream_ = Stream::Info;
            infoPending_ = true;
            break;
        case kCmdFinishFirmware:
            if (wren) {
                // Restart with the new firmware: off the bus now, back after the delay.
                ++generation_;
                present_ = false;
                restartAt_ = clock_->now() + options_.restartDelay;
            }
            break;
        default:  // probe and reloads change nothing in memory
            break;
    }
}

std::uint8_t VirtualMouse::readByte(std::size_t address) const {
    return address < memory_.size() ? memory_[address] : 0xFF;
}

void VirtualMouse::writeByte(std::size_t address, std::uint8_t value) {
    if (address >= memory_.size()) return;
    if (chip() == ChipModel::Wren)
        memory_[address] &= value;  // flash: clear bits only
    else
        memory_[address] = value;
}

void VirtualMouse::data(const FeatureReport& r) {
    if (writeStream_ == Stream::None) return;
    std::size_t n = std::min(writeRemaining_, kPayloadSize);
    for (std::size_t i = 0; i < n; ++i) writeByte(writeAddress_ + i, r[1 + i]);
    writeAddress_ += n;
    writeRemaining_ -= n;
    if (writeRemaining_ == 0) writeStream_ = Stream::None;
}

void VirtualMouse::fetch(FeatureReport& r) {
    r[0] = kDataReportId;
    if (readStream_ == Stream::Info) {
        DevicePayload info{};
        if (infoPending_) info = encodeDeviceInformation(chip(), options_.model.rgb, options_.model.sensorCode);
        infoPending_ = false;
        std::copy(info.begin(), info.end(), r.begin() + 1);
        return;
    }
    if (readStream_ == Stream::None) {
        std::fill(r.begin() + 1, r.end(), 0);
        return;
    }
    // A read keeps delivering the following addresses, also past the announced length.
    for (std::size_t i = 0; i < kPayloadSize; ++i) r[1 + i] = readByte(readAddress_ + i);
    readAddress_ += kPayloadSize;
}

}  // namespace varnel

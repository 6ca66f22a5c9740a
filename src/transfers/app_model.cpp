#include "transfers/app_model.h"

#include "common/file_io.h"
#include "config/variant.h"
#include "macros/macro_file.h"
#include "profiles/profile_file.h"
#include "transfers/device_write.h"
#include "transfers/firmware.h"

namespace varnel {

AppModel::AppModel(AppState& state, HidBus& bus, Clock& clock)
    : state_(state), clock_(clock), poller_(bus, link_) {}

Status AppModel::start(AppModelConfig config) {
    config_ = std::move(config);
    state_.resetForStart();
    state_.AlternativeSignature = config_.alternative;
    if (auto s = state_.applyImageHeader(config_.defaultImages.start()); !s) return s;
    if (auto s = state_.initNoDevice(config_.defaultImages.start()); !s) return s;
    link_.forgetChannels();
    poller_.setDeviceIdTable(state_.DeviceIdTable);
    return Status::success();
}

void AppModel::adopt(AppModelConfig config) {
    config_ = std::move(config);
    state_.AlternativeSignature = config_.alternative;
    link_.forgetChannels();
    poller_.setDeviceIdTable(state_.DeviceIdTable);
}

bool AppModel::mouseReady() const { return link_.hasBothChannels() && identifiedMouse(state_); }

void AppModel::forgetMouse() {
    if (hasMacros(state_.DeviceChip)) state_.MacroNameList = {};
    state_.LightingKind.reset();
    state_.DeviceChip.reset();
    state_.SensorModel.clear();
}

void AppModel::beginSearch() {
    search_ = SearchOutcome{};
    search_.searched = true;
}

void AppModel::DeviceRemoved() {
    enterNoDeviceMode(state_);
    forgetMouse();
}

PollStep AppModel::pollTick() { return searchIfGoesOn(poller_.pollTick()); }

PollStep AppModel::deviceAnnounced() { return searchIfGoesOn(poller_.deviceAnnounced()); }

PollStep AppModel::searchIfGoesOn(PollStep first) {
    if (first.kind != PollStepKind::Skipped && first.kind != PollStepKind::Idle) beginSearch();
    return first;
}

PollStep AppModel::ReFindDev() {
    forgetMouse();
    beginSearch();
    return poller_.ReFindDev();
}

PollStep AppModel::advance(PollStep step, const ProgressSink& progress) {
    switch (step.kind) {
        case PollStepKind::Skipped:
        case PollStepKind::Idle: return step;
        case PollStepKind::Wait: break;
        case PollStepKind::ReadDevInfo:
            search_.found = true;
            search_.read = ReadDevInfo(progress);
            break;
        case PollStepKind::DeviceRemoved:
            search_.removed = true;
            DeviceRemoved();
            break;
    }
    PollStep next = poller_.resume();
    const auto& denied = poller_.lastOpen().permissionDenied;
    if (!denied.empty()) search_.permissionDenied = denied;
    return next;
}

TransferStatus AppModel::ReadDevInfo(const ProgressSink& progress) {
    if (auto s = identifyMouse(state_, link_, config_.defaultImages); !s) return s;
    poller_.keepMouse();
    return readConfiguration(state_, link_, progress);
}

SearchOutcome AppModel::runSearch(PollStep step, const ProgressSink& progress) {
    if (step.kind == PollStepKind::Skipped || step.kind == PollStepKind::Idle) return {};
    while (step.kind != PollStepKind::Idle && step.kind != PollStepKind::Skipped) {
        if (step.kind == PollStepKind::Wait) clock_.sleepFor(step.wait);
        step = advance(step, progress);
    }
    return search_;
}

TransferStatus AppModel::Apply(const ProgressSink& progress) {
    if (!mouseReady()) return noDeviceStatus();
    if (auto s = state_.writeBack(WriteBackPath::Apply); !s) return TransferStatus::from(s, TransferCode::BadFile);
    return writeParametersToMouse(state_, link_, progress, writeCheck_);
}

TransferStatus AppModel::Reset(const ProgressSink& progress) {
    if (!mouseReady()) return noDeviceStatus();
    return DefaultParameter(state_, link_, config_.defaultImages, progress, writeCheck_);
}

TransferStatus AppModel::WriteDefaults(const ProgressSink& progress) {
    if (!mouseReady()) return noDeviceStatus();
    return WriteDefaultParameter(state_, link_, progress, writeCheck_);
}

TransferStatus AppModel::SaveMacro(const ProgressSink& progress) {
    if (!mouseReady()) return noDeviceStatus();
    return varnel::SaveMacro(state_, link_, progress, writeCheck_);
}

Status AppModel::LoadFirmware(const std::filesystem::path& path) {
    auto image = loadFirmwareFile(path);
    // The page shows the file chosen last; a refused one leaves nothing to program.
    loadedFirmware_.clear();
    state_.FirmwareLoaded = false;
    if (!image) return image.error();
    loadedFirmware_ = std::move(*image);
    state_.FirmwareLoaded = true;
    return Status::success();
}

FirmwareOutcome AppModel::Program(const ProgressSink& progress) {
    if (!mouseReady()) return {noDeviceStatus()};
    return programFirmware(state_, link_, config_.defaultFirmware, loadedFirmware_, progress);
}

Result<Bytes> AppModel::ProfileBytes() {
    if (!mouseReady()) return noDeviceStatus().error;
    if (auto s = state_.writeBack(WriteBackPath::ProfileSave); !s) return s.error();
    return profileFileBytes(state_.DataBuf, state_.DeviceChip);
}

Result<std::filesystem::path> AppModel::SaveProfile(const std::filesystem::path& path) {
    auto bytes = ProfileBytes();
    if (!bytes) return bytes.error();
    return writeBinFile(path, *bytes);
}

Result<RepairedMacros> AppModel::LoadProfile(const std::filesystem::path& path) {
    if (!mouseReady()) return noDeviceStatus().error;
    auto loaded = loadProfileFile(state_.DataBuf, state_.DeviceChip, state_.acceptedSignatures(), path);
    if (!loaded) return loaded;
    state_.RefreshMacroName();
    state_.markMacrosAgainstMouse();
    state_.DataBufToUI();
    return loaded;
}

Result<std::filesystem::path> AppModel::ExportMacros(const std::filesystem::path& path) {
    return exportMacroSetFile(state_.DataBuf, path);
}

Result<RepairedMacros> AppModel::ImportMacros(const std::filesystem::path& path) {
    auto imported = importMacroSetFile(state_.DataBuf, path);
    if (!imported) return imported;
    state_.MacrosDirty = true;
    state_.RefreshMacroName();
    return imported;
}

}  // namespace varnel

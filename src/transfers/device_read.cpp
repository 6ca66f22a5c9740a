#include "transfers/device_read.h"

#include <algorithm>

#include "config/variant.h"
#include "device/device_info.h"

namespace varnel {

namespace {

// Flash 0x6000 mirrors ParameterBSection and the RGBLockSection.
constexpr std::size_t kExtraMirrorOffset = kWrenLayout.parameterB.offset;
static_assert(kExtraMirrorOffset + kWrenExtraSize == kWrenLayout.signatureOffset);

TransferStatus goneDuring(const char* what, const DeviceLink& link) {
    return TransferStatus::fail(TransferCode::DeviceGone, std::string(what) + " failed: " + goneReason(link));
}

// The second line of a refusal of the other variant: the one found and the one expected.
std::string variantMismatch(OptionalChip found, int code, OptionalChip expected) {
    const std::string mouse = found ? "this mouse is a " + std::string(chipName(*found))
                                    : "this mouse reports an unknown variant (code " + std::to_string(code) + ")";
    return expected ? mouse + "; this program is set up for a " + std::string(chipName(*expected)) : mouse;
}

}  // namespace

std::size_t fullReadCost(ChipModel chip) {
    const Variant& v = variantOf(chip);
    std::size_t cost = transferCost(v.layout.blockSize);
    if (v.flash) cost += transferCost(kWrenExtraSize) + transferCost(kSignatureAreaSize);
    if (v.hasMacros) cost += kMacroCount * transferCost(kMacroBlockSize) + transferCost(kMacroNameTableSize);
    return cost;
}

void enterNoDeviceMode(AppState& state) { state.NoDeviceMode = true; }

bool identifiedMouse(const AppState& state) {
    return !state.NoDeviceMode && state.DeviceChip.has_value() && state.DeviceChip == state.DefaultChip;
}

void leaveNoDeviceMode(AppState& state) { state.NoDeviceMode = false; }

TransferStatus identifyMouse(AppState& state, DeviceLink& link, const DefaultImages& images) {
    LinkStatus sent = link.SendCommand(kCmdDeviceInfo, 0, 0, 0, 0);
    if (sent == LinkStatus::Gone) return goneDuring("Identification", link);
    if (sent != LinkStatus::Ok)
        return TransferStatus::fail(TransferCode::DeviceFailed,
                                    "the mouse did not accept the device information command");
    // A fetch that failed leaves 0xFF in the buffer, which would read as an RGB mouse of no known
    // variant: it ends identification like a refused command.
    const LinkStatus fetched = link.ReceiveData();
    if (fetched == LinkStatus::Gone) return goneDuring("Identification", link);
    if (fetched != LinkStatus::Ok)
        return TransferStatus::fail(TransferCode::DeviceFailed, "the mouse did not send its device information");
    const DeviceInformation info = decodeDeviceInformation(link.ReceiveBuffer());

    state.LightingKind = info.rgb ? LightingKind::Rgb : LightingKind::Color;
    if (info.chip) {
        if (auto s = state.useDefaultImage(images.forMouse(info.chip)); !s)
            return TransferStatus::fail(TransferCode::BadFile, "default image unusable: " + s.error().message);
    }
    // A variant byte other than Lark's or Wren's names no layout we could read or write.
    if (!info.chip || (state.DefaultChip && state.DefaultChip != info.chip)) {
        if (info.chip) state.DeviceChip = info.chip;
        enterNoDeviceMode(state);
        return TransferStatus::fail(TransferCode::Refused,
                                    variantMismatch(info.chip, link.ReceiveBuffer()[kInfoChipByte], state.DefaultChip),
                                    "Str102");
    }
    state.DeviceChip = info.chip;
    if (auto sensor = sensorByCode(info.sensorCode)) {
        state.SensorModel = std::string(sensor->model);
        state.StepCount = sensor->stepCount;
    }

    if (state.DeviceChip) {
        const Variant& v = variantOf(*state.DeviceChip);
        TransferResult r = v.memory.space == MemorySpace::Parameter
                               ? link.ReadParam(static_cast<std::uint8_t>(v.signatureAddress), state.SignatureBuffer)
                               : link.ReadFlash(v.signatureAddress, state.SignatureBuffer);
        if (r.gone) return goneDuring("Identification", link);
        // A refused read leaves 0xFF where the signature would be, which may be a pair we accept:
        // a signature that did not arrive whole accepts nothing, and the mouse is not taken.
        if (!r.clean()) {
            enterNoDeviceMode(state);
            return TransferStatus::fail(TransferCode::DeviceFailed, "the mouse did not send its signature");
        }
    }
    if (state.acceptedSignatures().accepts(state.SignatureBuffer)) return TransferStatus::done();
    enterNoDeviceMode(state);
    return TransferStatus::fail(
        TransferCode::Refused,
        "this mouse's signature is " + signatureText(state.SignatureBuffer) + ", not one this program accepts",
        "Str103");
}

TransferStatus readConfiguration(AppState& state, DeviceLink& link, const ProgressSink& progress) {
    TransferSession session(link, state.DeviceChip ? fullReadCost(*state.DeviceChip) : 0, progress);
    DataBuf& buf = state.DataBuf;
    if (state.DeviceChip) {
        const Variant& v = variantOf(*state.DeviceChip);
        MutableByteSpan block = buf.parameterBlock(v.chip);
        // The read that brings the rate the mouse runs with: its block, or a Wren's mirror.
        TransferResult rateRead = v.memory.space == MemorySpace::Parameter
                                      ? session.readParam(static_cast<std::uint8_t>(v.parameterAddress), block)
                                      : session.readFlash(v.parameterAddress, block);
        if (v.flash) {
            // The mirrors at 0x6000 and 0x5C00 hold what the mouse works with: they replace the
            // block's copies of ParameterB, the RGBLockSection and the signature.
            rateRead = session.readFlash(v.flash->extraBytes, state.WrenExtraBytes);
            std::copy(state.WrenExtraBytes.begin(), state.WrenExtraBytes.end(),
                      block.begin() + static_cast<std::ptrdiff_t>(v.layout.parameterB.offset));
            session.readFlash(v.signatureAddress, state.SignatureBuffer);
            std::copy_n(state.SignatureBuffer.begin(), 2,
                        block.begin() + static_cast<std::ptrdiff_t>(v.layout.signatureOffset));
        }
        state.LastReportRate = rateRead.accepted() ? std::optional(block[param_b::kReportRateCode]) : std::nullopt;
        if (v.hasMacros) {
            // 1024-byte reads go through a scratch buffer: a refused command keeps the old content.
            std::array<std::uint8_t, kMacroBlockSize> scratch;
            const std::size_t refusedBefore = session.refused();
            for (std::size_t i = 0; i < kMacroCount; ++i) {
                const auto address = static_cast<std::uint16_t>(v.flash->macroBlocks + i * kMacroBlockSize);
                if (session.readFlash(address, scratch).accepted())
                    std::copy(scratch.begin(), scratch.end(), buf.macroBlock(i).begin());
            }
            if (session.readFlash(v.flash->macroNames, scratch).accepted())
                std::copy(scratch.begin(), scratch.end(), buf.macroNameTable.begin());
            state.macroAreaTransferred(session.refused() == refusedBefore && !session.gone());
            state.RefreshMacroName();
        }
    }
    state.DataBufToUI();
    leaveNoDeviceMode(state);
    return session.outcome("Reading the mouse");
}

}  // namespace varnel

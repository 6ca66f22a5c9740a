#include "transfers/device_write.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "config/default_image.h"
#include "config/layout.h"
#include "config/variant.h"
#include "macros/macro_format.h"

namespace varnel {

namespace {

constexpr std::size_t kPiece = 256;  // macro and name writes go in 256-byte quarters
constexpr const FlashMap& kFlash = *kWrenVariant.flash;
constexpr auto kParameterSectors = kFlash.parameterSectors;
constexpr auto kMacroSectors = kFlash.macroSectors;

constexpr std::size_t kMacroAreaCost =
    (kMacroNameTableSize / kPiece + kMacroCount * (kMacroBlockSize / kPiece)) * transferCost(kPiece);  // 132 writes
constexpr std::size_t kWrenParameterCost =
    transferCost(kWrenParameterBlockSize) + transferCost(kSignatureAreaSize) + transferCost(kWrenExtraSize);

void eraseSectors(TransferSession& session, std::span<const std::uint8_t> sectors) {
    for (std::uint8_t s : sectors) session.erase(s);
}

// `data` in 256-byte writes at `address`, `address` + 0x100, ...
void writeInPieces(TransferSession& session, std::uint16_t address, ByteSpan data) {
    for (std::size_t off = 0; off < data.size(); off += kPiece)
        session.writeFlash(static_cast<std::uint16_t>(address + off), data.subspan(off, kPiece));
}

void writeMacroArea(TransferSession& session, const DataBuf& buf) {
    writeInPieces(session, kFlash.macroNames, buf.macroNameTable);
    for (std::size_t i = 0; i < kMacroCount; ++i)
        writeInPieces(session, static_cast<std::uint16_t>(kFlash.macroBlocks + i * kMacroBlockSize), buf.macroBlock(i));
}

// Counts the refusals of the macro sectors' erases and writes, which are interleaved with the
// parameter writes: the macros count as stored only when none of their reports was refused.
class MacroWriteCheck {
public:
    explicit MacroWriteCheck(TransferSession& session) : session_(session) {}
    template <typename F>
    void run(F&& step) {
        const std::size_t before = session_.refused();
        step();
        refused_ += session_.refused() - before;
    }
    bool allAccepted() const { return refused_ == 0 && !session_.gone(); }

private:
    TransferSession& session_;
    std::size_t refused_ = 0;
};

// Parameter block, signature area and the 9-byte mirror, in this order.
void writeWrenParameters(TransferSession& session, const AppState& state) {
    session.writeFlash(kWrenVariant.parameterAddress, state.DataBuf.parameterBlock(ChipModel::Wren));
    session.writeFlash(kWrenVariant.signatureAddress, state.SignatureBuffer);
    session.writeFlash(kFlash.extraBytes, state.WrenExtraBytes);
}

// The names of the list into the name table; a name that cannot be stored stops the write
// before anything is sent.
Status namesIntoTable(AppState& state) { return UIToMacroName(state.DataBuf.macroNameTable, state.MacroNameList); }

// The whole Lark block at address 0, then the reload command if the write was accepted.
TransferStatus writeLarkBlock(AppState& state, DeviceLink& link, const ProgressSink& progress, const char* operation) {
    TransferSession session(link, transferCost(kLarkParameterBlockSize) + 1, progress);
    if (session
            .writeParam(static_cast<std::uint8_t>(kLarkVariant.parameterAddress),
                        state.DataBuf.parameterBlock(ChipModel::Lark))
            .accepted())
        sendReloadCommand(state, session);
    return session.outcome(operation);
}

// Identification reads the signature back from the mouse and refuses any pair it does not accept:
// writing one would lock the mouse out of this program, whatever the image came from. Checked
// before the first erase, on every pair that is about to be written.
TransferStatus refuseForeignSignature(const AppState& state, std::initializer_list<ByteSpan> pairs) {
    for (const ByteSpan pair : pairs) {
        if (state.acceptedSignatures().accepts(pair)) continue;
        return TransferStatus::fail(TransferCode::BadFile,
                                    "nothing was written: the " + unacceptedSignatureReason(pair));
    }
    return TransferStatus::done();
}

ByteSpan blockSignature(const AppState& state, ChipModel chip) {
    return state.DataBuf.parameterBlock(chip).subspan(layoutFor(chip).signatureOffset, 2);
}

// The ReportRateCode the mouse takes from a write: a Lark's from its block, a Wren's from the
// mirror at 0x6000 (which its Reset writes as last read or written, not from the defaults).
std::optional<std::uint8_t> rateCodeWritten(const AppState& state) {
    if (!state.DeviceChip) return std::nullopt;
    const Variant& v = variantOf(*state.DeviceChip);
    if (v.flash) return state.WrenExtraBytes[param_b::kReportRateCode - v.layout.parameterB.offset];
    return state.DataBuf.parameter[param_b::kReportRateCode];
}

TransferStatus badNames(const Status& s) {
    return TransferStatus::fail(TransferCode::BadFile, "macro names cannot be stored: " + s.error().message);
}

}  // namespace

LinkStatus sendReloadCommand(AppState& state, TransferSession& session) {
    const std::optional<std::uint8_t> rate = rateCodeWritten(state);
    const bool changed = !rate || rate != state.LastReportRate;
    const LinkStatus sent = session.command(changed ? kCmdReloadAfterRate : kCmdReload);
    // Only a reload the mouse took, after writes it all took, makes the rate its own; a refused
    // write leaves the stored rate unknown, so the next reload is 16 again. Otherwise the change is
    // still to send.
    if (sent == LinkStatus::Ok) state.LastReportRate = session.refused() == 0 ? rate : std::nullopt;
    return sent;
}

TransferStatus writeParametersToMouse(AppState& state, DeviceLink& link, const ProgressSink& progress) {
    if (!state.DeviceChip) return noDeviceStatus();
    // A Wren's signature area gets the block's pair too (the mirrors below).
    if (auto s = refuseForeignSignature(state, {blockSignature(state, *state.DeviceChip)}); !s.ok()) return s;
    if (variantOf(*state.DeviceChip).memory.space == MemorySpace::Parameter) {
        state.MacrosDirty = false;  // a mouse without flash keeps no macros
        return writeLarkBlock(state, link, progress, "Apply");
    }
    if (auto s = namesIntoTable(state); !s) return badNames(s);
    // The mirrors change only now that the write goes ahead: they stand for what the mouse holds.
    MutableByteSpan block = state.DataBuf.parameterBlock(ChipModel::Wren);
    std::copy_n(block.begin() + kWrenLayout.parameterB.offset, kWrenExtraSize, state.WrenExtraBytes.begin());
    std::copy_n(block.begin() + kWrenLayout.signatureOffset, 2, state.SignatureBuffer.begin());

    const bool macros = state.MacrosDirty;
    TransferSession session(
        link, kParameterSectors.size() + kWrenParameterCost + 1 + (macros ? kMacroSectors.size() + kMacroAreaCost : 0),
        progress);
    MacroWriteCheck macroWrites(session);
    eraseSectors(session, kParameterSectors);
    if (macros) macroWrites.run([&] { eraseSectors(session, kMacroSectors); });
    writeWrenParameters(session, state);
    if (macros) macroWrites.run([&] { writeMacroArea(session, state.DataBuf); });
    sendReloadCommand(state, session);
    if (macros) state.macroAreaTransferred(macroWrites.allAccepted());
    return session.outcome("Apply");
}

TransferStatus LoadDefaultParameter(AppState& state, const DefaultImages& images) {
    if (!state.DeviceChip) return noDeviceStatus();
    const ChipModel chip = *state.DeviceChip;
    if (auto s = loadDefaultCopies(state.DataBuf, chip, images.forMouse(chip)); !s)
        return TransferStatus::fail(TransferCode::BadFile, "default image unusable: " + s.error().message);
    const Variant& v = variantOf(chip);
    if (v.flash)
        std::copy_n(state.DataBuf.parameter.begin() + v.layout.signatureOffset, 2, state.SignatureBuffer.begin());
    if (v.hasMacros) state.RefreshMacroName();
    state.DataBufToUI();
    return TransferStatus::done();
}

TransferStatus WriteDefaultParameter(AppState& state, DeviceLink& link, const ProgressSink& progress) {
    if (!state.DeviceChip) return noDeviceStatus();
    const Variant& v = variantOf(*state.DeviceChip);
    // A Wren's signature area gets SignatureBuffer, which Reset filled from the defaults.
    const ByteSpan block = blockSignature(state, v.chip);
    if (auto s = refuseForeignSignature(state, {block, v.flash ? ByteSpan(state.SignatureBuffer).first(2) : block});
        !s.ok())
        return s;
    if (v.memory.space == MemorySpace::Parameter) return writeLarkBlock(state, link, progress, "Reset");
    TransferSession session(
        link, kParameterSectors.size() + kMacroSectors.size() + kWrenParameterCost + kMacroAreaCost + 1, progress);
    MacroWriteCheck macroWrites(session);
    eraseSectors(session, kParameterSectors);
    macroWrites.run([&] { eraseSectors(session, kMacroSectors); });
    writeWrenParameters(session, state);
    macroWrites.run([&] { writeMacroArea(session, state.DataBuf); });
    sendReloadCommand(state, session);
    state.macroAreaTransferred(macroWrites.allAccepted());
    return session.outcome("Reset");
}

TransferStatus DefaultParameter(AppState& state, DeviceLink& link, const DefaultImages& images,
                                const ProgressSink& progress) {
    if (auto s = LoadDefaultParameter(state, images); !s.ok()) return s;
    return WriteDefaultParameter(state, link, progress);
}

TransferStatus SaveMacro(AppState& state, DeviceLink& link, const ProgressSink& progress) {
    state.MacrosDirty = true;
    if (!hasMacros(state.DeviceChip)) {
        state.MacrosDirty = false;
        return TransferStatus::fail(TransferCode::NoDevice, "Save Macro needs a Wren mouse");
    }
    if (auto s = namesIntoTable(state); !s) return badNames(s);
    TransferSession session(link, kMacroSectors.size() + kMacroAreaCost, progress);
    eraseSectors(session, kMacroSectors);
    writeMacroArea(session, state.DataBuf);
    const bool stored = session.refused() == 0 && !session.gone();
    state.macroAreaTransferred(stored);
    return session.outcome("Save Macro");
}

}  // namespace varnel

#include "transfers/device_write.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

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

// A part of the mouse's memory a write fills: where, and what was sent. The write and its
// read-back go over the same list.
struct Section {
    enum class Part { Settings, MacroNames, Macro } part;
    std::size_t macro;  // for Part::Macro
    std::uint16_t address;
    ByteSpan bytes;
};
using Sections = std::vector<Section>;

// A Wren's parameter block, signature area and 9-byte mirror, in the order they are written.
Sections wrenParameterSections(const AppState& state) {
    using P = Section::Part;
    return {{P::Settings, 0, kWrenVariant.parameterAddress, state.DataBuf.parameterBlock(ChipModel::Wren)},
            {P::Settings, 0, kWrenVariant.signatureAddress, state.SignatureBuffer},
            {P::Settings, 0, kFlash.extraBytes, state.WrenExtraBytes}};
}

// The name table, then the 32 blocks.
Sections macroAreaSections(const DataBuf& buf) {
    Sections out{{Section::Part::MacroNames, 0, kFlash.macroNames, buf.macroNameTable}};
    for (std::size_t i = 0; i < kMacroCount; ++i)
        out.push_back({Section::Part::Macro, i, static_cast<std::uint16_t>(kFlash.macroBlocks + i * kMacroBlockSize),
                       buf.macroBlock(i)});
    return out;
}

void writeMacroArea(TransferSession& session, const Sections& area) {
    for (const Section& s : area) writeInPieces(session, s.address, s.bytes);
}

// What a write reads back: the sections it wrote, or none when the check is skipped.
class ReadBack {
public:
    ReadBack(WriteCheck check, MemorySpace space) : on_(check == WriteCheck::ReadBack), space_(space) {}
    void add(const Sections& written) {
        if (on_) sections_.insert(sections_.end(), written.begin(), written.end());
    }
    std::size_t cost() const {
        std::size_t n = 0;
        for (const Section& s : sections_) n += transferCost(s.bytes.size());
        return n;
    }
    // Each section in one read, compared with what was sent; a read that did not come back whole
    // counts as not kept. A mouse that left ends it (the outcome says so).
    NotKept run(TransferSession& session) const {
        NotKept notKept;
        Bytes back;
        for (const Section& s : sections_) {
            if (session.gone()) break;
            back.assign(s.bytes.size(), 0);
            const TransferResult r = space_ == MemorySpace::Parameter
                                         ? session.readParam(static_cast<std::uint8_t>(s.address), back)
                                         : session.readFlash(s.address, back);
            if (r.clean() && std::equal(back.begin(), back.end(), s.bytes.begin())) continue;
            switch (s.part) {
                case Section::Part::Settings: notKept.settings = true; break;
                case Section::Part::MacroNames: notKept.macroNames = true; break;
                case Section::Part::Macro: notKept.macros.push_back(s.macro); break;
            }
        }
        return notKept;
    }

private:
    bool on_;
    MemorySpace space_;
    Sections sections_;
};

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

void writeWrenParameters(TransferSession& session, const Sections& parameters) {
    for (const Section& s : parameters) session.writeFlash(s.address, s.bytes);
}

// The names of the list into the name table; a name that cannot be stored stops the write
// before anything is sent.
Status namesIntoTable(AppState& state) { return UIToMacroName(state.DataBuf.macroNameTable, state.MacroNameList); }

// The whole Lark block at address 0, read back, then the reload command if the write was accepted.
TransferStatus writeLarkBlock(AppState& state, DeviceLink& link, const ProgressSink& progress, const char* operation,
                              WriteCheck check) {
    const Section block{Section::Part::Settings, 0, kLarkVariant.parameterAddress,
                        state.DataBuf.parameterBlock(ChipModel::Lark)};
    ReadBack readBack(check, MemorySpace::Parameter);
    readBack.add({block});
    TransferSession session(link, transferCost(block.bytes.size()) + readBack.cost() + 1, progress);
    const bool accepted = session.writeParam(static_cast<std::uint8_t>(block.address), block.bytes).accepted();
    NotKept notKept = readBack.run(session);
    if (accepted) sendReloadCommand(state, session);
    return session.outcome(operation, std::move(notKept));
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

TransferStatus writeParametersToMouse(AppState& state, DeviceLink& link, const ProgressSink& progress,
                                      WriteCheck check) {
    if (!state.DeviceChip) return noDeviceStatus();
    // A Wren's signature area gets the block's pair too (the mirrors below).
    if (auto s = refuseForeignSignature(state, {blockSignature(state, *state.DeviceChip)}); !s.ok()) return s;
    if (variantOf(*state.DeviceChip).memory.space == MemorySpace::Parameter) {
        state.MacrosDirty = false;  // a mouse without flash keeps no macros
        return writeLarkBlock(state, link, progress, "Apply", check);
    }
    if (auto s = namesIntoTable(state); !s) return badNames(s);
    // The mirrors change only now that the write goes ahead: they stand for what the mouse holds.
    MutableByteSpan block = state.DataBuf.parameterBlock(ChipModel::Wren);
    std::copy_n(block.begin() + kWrenLayout.parameterB.offset, kWrenExtraSize, state.WrenExtraBytes.begin());
    std::copy_n(block.begin() + kWrenLayout.signatureOffset, 2, state.SignatureBuffer.begin());

    const bool macros = state.MacrosDirty;
    const Sections parameters = wrenParameterSections(state);
    const Sections area = macros ? macroAreaSections(state.DataBuf) : Sections{};
    ReadBack readBack(check, MemorySpace::Flash);
    readBack.add(parameters);
    readBack.add(area);
    TransferSession session(link,
                            kParameterSectors.size() + kWrenParameterCost + 1 +
                                (macros ? kMacroSectors.size() + kMacroAreaCost : 0) + readBack.cost(),
                            progress);
    MacroWriteCheck macroWrites(session);
    eraseSectors(session, kParameterSectors);
    if (macros) macroWrites.run([&] { eraseSectors(session, kMacroSectors); });
    writeWrenParameters(session, parameters);
    if (macros) macroWrites.run([&] { writeMacroArea(session, area); });
    NotKept notKept = readBack.run(session);
    sendReloadCommand(state, session);
    if (macros) state.macroAreaTransferred(macroWrites.allAccepted() && notKept.macroAreaKept());
    return session.outcome("Apply", std::move(notKept));
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

TransferStatus WriteDefaultParameter(AppState& state, DeviceLink& link, const ProgressSink& progress,
                                     WriteCheck check) {
    if (!state.DeviceChip) return noDeviceStatus();
    const Variant& v = variantOf(*state.DeviceChip);
    // A Wren's signature area gets SignatureBuffer, which Reset filled from the defaults.
    const ByteSpan block = blockSignature(state, v.chip);
    if (auto s = refuseForeignSignature(state, {block, v.flash ? ByteSpan(state.SignatureBuffer).first(2) : block});
        !s.ok())
        return s;
    if (v.memory.space == MemorySpace::Parameter) return writeLarkBlock(state, link, progress, "Reset", check);
    const Sections parameters = wrenParameterSections(state);
    const Sections area = macroAreaSections(state.DataBuf);
    ReadBack readBack(check, MemorySpace::Flash);
    readBack.add(parameters);
    readBack.add(area);
    TransferSession session(link,
                            kParameterSectors.size() + kMacroSectors.size() + kWrenParameterCost + kMacroAreaCost + 1 +
                                readBack.cost(),
                            progress);
    MacroWriteCheck macroWrites(session);
    eraseSectors(session, kParameterSectors);
    macroWrites.run([&] { eraseSectors(session, kMacroSectors); });
    writeWrenParameters(session, parameters);
    macroWrites.run([&] { writeMacroArea(session, area); });
    NotKept notKept = readBack.run(session);
    sendReloadCommand(state, session);
    state.macroAreaTransferred(macroWrites.allAccepted() && notKept.macroAreaKept());
    return session.outcome("Reset", std::move(notKept));
}

TransferStatus DefaultParameter(AppState& state, DeviceLink& link, const DefaultImages& images,
                                const ProgressSink& progress, WriteCheck check) {
    if (auto s = LoadDefaultParameter(state, images); !s.ok()) return s;
    return WriteDefaultParameter(state, link, progress, check);
}

TransferStatus SaveMacro(AppState& state, DeviceLink& link, const ProgressSink& progress, WriteCheck check) {
    state.MacrosDirty = true;
    if (!hasMacros(state.DeviceChip)) {
        state.MacrosDirty = false;
        return TransferStatus::fail(TransferCode::NoDevice, "Save Macro needs a Wren mouse");
    }
    if (auto s = namesIntoTable(state); !s) return badNames(s);
    const Sections area = macroAreaSections(state.DataBuf);
    ReadBack readBack(check, MemorySpace::Flash);
    readBack.add(area);
    TransferSession session(link, kMacroSectors.size() + kMacroAreaCost + readBack.cost(), progress);
    eraseSectors(session, kMacroSectors);
    writeMacroArea(session, area);
    NotKept notKept = readBack.run(session);
    state.macroAreaTransferred(session.refused() == 0 && !session.gone() && notKept.macroAreaKept());
    return session.outcome("Save Macro", std::move(notKept));
}

}  // namespace varnel

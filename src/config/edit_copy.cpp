#include "config/edit_copy.h"

#include <algorithm>

#include "config/default_image.h"

namespace varnel {

namespace {

template <typename Fn>
void forEachShownSlot(Fn&& fn) {
    for (auto map : kButtonMaps) {
        for (std::size_t slot = 1; slot <= kShownSlotCount; ++slot) fn(map, slot);
    }
}

const std::string& codeTextOf(const CodeTexts& codes, ButtonMapId m, std::size_t slot) {
    return codes[static_cast<std::size_t>(m)][slot - 1];
}

// Replaces a damaged ParameterA/B section with `defaults` when a mouse picks them; the data
// bytes are kept otherwise. The checksum is recomputed in every mismatch case.
template <std::size_t N>
void repairSection(MutableByteSpan block, Section s, const std::optional<std::array<std::uint8_t, N>>& defaults) {
    if (sectionChecksumMatches(block, s)) return;
    if (defaults)
        std::copy(defaults->begin(), defaults->end() - 1, block.begin() + static_cast<std::ptrdiff_t>(s.offset));
    storeSectionChecksum(block, s);
}

void copySection(MutableByteSpan to, ByteSpan from, std::size_t offset, std::size_t length) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(offset), length,
                to.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

ActionCode EditCopy::slot(ButtonMapId m, std::size_t slot) const {
    const auto off = layoutFor(*chip).slotOffset(m, slot);
    return {bytes[off], bytes[off + 1], bytes[off + 2], bytes[off + 3]};
}

void EditCopy::setSlot(ButtonMapId m, std::size_t slot, const ActionCode& code) {
    std::copy(code.begin(), code.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(layoutFor(*chip).slotOffset(m, slot)));
}

void validateIntoEditCopy(const DataBuf& buf, const ShowContext& ctx, EditCopy& edit, CodeTexts& codes) {
    for (auto& map : codes) map.fill(std::string());
    if (!ctx.defaultChip) return;

    const auto& layout = layoutFor(*ctx.defaultChip);
    edit.chip = layout.chip;
    auto block = edit.block();
    auto source = buf.parameterBlock(layout.chip);
    std::copy(source.begin(), source.end(), block.begin());

    const auto kind = sectionDefaultsFor(ctx.deviceChip, ctx.lighting);
    std::optional<std::array<std::uint8_t, 38>> aDefaults;
    std::optional<std::array<std::uint8_t, 5>> bDefaults;
    if (kind) {
        aDefaults = parameterADefaults(*kind, ctx.vid, ctx.pid);
        bDefaults = parameterBDefaults(*kind);
    }
    repairSection(block, layout.parameterA, aDefaults);
    repairSection(block, layout.parameterB, bDefaults);
    // The RGBLockSection is carried unchecked; its checksum is only renewed on a profile save.
    if (!sectionChecksumMatches(block, layout.profile)) storeDefaultProfile(block, layout.chip);

    forEachShownSlot([&](ButtonMapId m, std::size_t slot) {
        codes[static_cast<std::size_t>(m)][slot - 1] = codeTextFromBytes(edit.slot(m, slot));
    });
}

bool RefreshFireKeyMode(const EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip, FireKeyBoxes& boxes) {
    if (!deviceChip || !edit.chip) return false;
    bool loaded = false;
    forEachShownSlot([&](ButtonMapId m, std::size_t slot) {
        if (!isFireKeyCodeText(codeTextOf(codes, m, slot))) return;
        const auto t = fireKeyTimingOf(edit.slot(m, slot));
        boxes.repeat = std::to_string(t.repeat);
        boxes.delay = std::to_string(t.delay);
        loaded = true;
    });
    return loaded;
}

Status FireKeyAndFireKeyModeToDataBuf(EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip,
                                      const FireKeyBoxes& boxes) {
    if (!deviceChip || !edit.chip) return Status::success();
    bool anyFireKey = false;
    forEachShownSlot(
        [&](ButtonMapId m, std::size_t slot) { anyFireKey |= isFireKeyCodeText(codeTextOf(codes, m, slot)); });
    if (!anyFireKey) return Status::success();
    const auto timing = parseFireKeyTiming(boxes.repeat, boxes.delay);
    if (!timing) {
        return makeError("fire key repeat \"" + boxes.repeat + "\" or delay \"" + boxes.delay +
                         "\" is not a number the mouse can store (repeat 0..127, delay 0..32767)");
    }
    const auto code = fireKeyCode(*timing);
    forEachShownSlot([&](ButtonMapId m, std::size_t slot) {
        if (isFireKeyCodeText(codeTextOf(codes, m, slot))) edit.setSlot(m, slot, code);
    });
    return Status::success();
}

Status writeBackEditCopy(DataBuf& buf, EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip,
                         const std::optional<FireKeyBoxes>& fireKey, WriteBackPath path) {
    if (!deviceChip) return Status::success();
    if (edit.chip != deviceChip) {
        return makeError("the shown configuration has no " + std::string(chipName(*deviceChip)) +
                         " layout; nothing was written");
    }
    // Work on a copy so that a refused fire-key timing leaves the EditCopy as it was.
    EditCopy next = edit;
    if (fireKey) {
        if (auto s = FireKeyAndFireKeyModeToDataBuf(next, codes, deviceChip, *fireKey); !s) return s;
    }

    const auto& layout = layoutFor(*deviceChip);
    auto from = next.block();
    auto to = buf.parameterBlock(*deviceChip);
    storeSectionChecksum(from, layout.parameterA);
    copySection(to, from, layout.parameterA.offset, layout.parameterA.size());
    storeSectionChecksum(from, layout.parameterB);
    copySection(to, from, layout.parameterB.offset, layout.parameterB.size());
    if (layout.rgbLock) {
        if (path == WriteBackPath::ProfileSave) storeSectionChecksum(from, *layout.rgbLock);
        copySection(to, from, layout.rgbLock->offset, layout.rgbLock->size());
    }
    copySection(to, from, layout.signatureOffset, 2);
    storeSectionChecksum(from, layout.profile);
    copySection(to, from, layout.profile.offset, layout.profile.size());
    edit = next;
    return Status::success();
}

}  // namespace varnel

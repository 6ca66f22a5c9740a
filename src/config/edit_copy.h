#pragma once
// The EditCopy (the window's validated copy of the ParameterBlock sections), the 27 CodeTexts,
// showing an image (validation and silent repair), the write-back into DataBuf and the Fire Key
// store/load that ties the repeat and delay boxes to every Fire Key slot.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "config/action_codes.h"
#include "config/data_buf.h"
#include "config/layout.h"

namespace varnel {

// The sections of the shown layout, held at their ParameterBlock offsets.
struct EditCopy {
    OptionalChip chip;  // layout of the held sections; nullopt = nothing held
    std::array<std::uint8_t, kWrenParameterBlockSize> bytes{};

    // The held sections as one block (empty when nothing is held).
    MutableByteSpan block() { return {bytes.data(), chip ? parameterBlockSize(*chip) : 0}; }
    ByteSpan block() const { return {bytes.data(), chip ? parameterBlockSize(*chip) : 0}; }
    // Slot `slot` (1-based) of map `m`; requires a held layout.
    ActionCode slot(ButtonMapId m, std::size_t slot) const;
    void setSlot(ButtonMapId m, std::size_t slot, const ActionCode& code);
};

// CodeText of slots 1..9 of each map, indexed [map][slot - 1].
using CodeTexts = std::array<std::array<std::string, kShownSlotCount>, 3>;

// Texts of the fire-key boxes Edt_Repeat1 and Edt_DelayTime1.
struct FireKeyBoxes {
    std::string repeat = "2";
    std::string delay = "16";
    bool operator==(const FireKeyBoxes&) const = default;
};

// What validation needs to know about the program and the attached mouse.
struct ShowContext {
    OptionalChip defaultChip;   // layout shown
    OptionalChip deviceChip;    // picks the repair defaults of ParameterA/B
    OptionalLighting lighting;  // Wren mice: "Color" or "RGB" defaults
    std::uint16_t vid = 0;      // id bytes put into repaired ParameterASection
    std::uint16_t pid = 0;
};

// The data part of DataBufToUI: empties the CodeTexts, copies the sections of the shown layout
// into the EditCopy, repairs damaged sections silently and builds the CodeTexts.
void validateIntoEditCopy(const DataBuf& buf, const ShowContext& ctx, EditCopy& edit, CodeTexts& codes);

// Loads the boxes from the last Fire Key slot (Main, Switch, Fixed; slots 1..9). No Fire Key
// slot, or no mouse, keeps the boxes as they are. True when a slot set them.
bool RefreshFireKeyMode(const EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip, FireKeyBoxes& boxes);

// Stores the box timing into every Fire Key slot of the EditCopy (recognised by kind byte 0x06
// of its CodeText, never by name). Box texts that cannot be stored are an error and change
// nothing; without a mouse nothing is stored.
Status FireKeyAndFireKeyModeToDataBuf(EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip,
                                      const FireKeyBoxes& boxes);

// Apply copies the RGBLockSection as held; a profile save recomputes its checksum first.
enum class WriteBackPath { Apply, ProfileSave };

// Writes the EditCopy back into DataBuf, after the pages have collected their controls into it:
// fresh checksums and the sections in order. Given `fireKey` boxes, every Fire Key slot takes
// their timing first; without, the slots keep their bytes. Without a mouse nothing is written.
// An EditCopy of another layout than the mouse's, or unusable fire-key box texts, is an error and
// leaves DataBuf unchanged.
Status writeBackEditCopy(DataBuf& buf, EditCopy& edit, const CodeTexts& codes, OptionalChip deviceChip,
                         const std::optional<FireKeyBoxes>& fireKey, WriteBackPath path);

}  // namespace varnel

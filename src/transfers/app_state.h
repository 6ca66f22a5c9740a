#pragma once
// The application state the main window owns for the whole run, with the pure operations on it
// (start-up header decision, InitNoDevice, DataBufToUI's data part, write-back). No device I/O:
// transfers work on this state from outside. It holds no callback into the window: showing an
// image raises DisplayDue, and the window runs its display step when it sees it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "common/chip_model.h"
#include "common/result.h"
#include "config/data_buf.h"
#include "config/default_image.h"
#include "config/edit_copy.h"
#include "config/signature.h"
#include "device/discovery.h"
#include "macros/macro_format.h"

namespace varnel {

struct AppState {
    OptionalChip DefaultChip;
    OptionalChip DeviceChip;
    OptionalLighting LightingKind;
    std::string SensorModel;  // empty = none
    int StepCount = 0;
    std::uint16_t DefaultVid = 0;
    std::uint16_t DefaultPid = 0;
    std::array<std::uint8_t, 2> ExpectedSignature{};
    varnel::AlternativeSignature AlternativeSignature{};  // the layout file's pair
    varnel::DeviceIdTable DeviceIdTable{};
    bool NoDeviceMode = false;
    bool MacrosDirty = false;
    bool FirmwareLoaded = false;
    // ReportRateCode the mouse last reported (a full read) or accepted (a write whose reload
    // command it took); none before a read. The reload command compares the rate written with it.
    std::optional<std::uint8_t> LastReportRate;
    int ActiveDpiLevels = 4;
    varnel::DataBuf DataBuf;
    varnel::EditCopy EditCopy;
    varnel::CodeTexts CodeTexts;
    std::array<std::uint8_t, 5> SignatureBuffer{};
    std::array<std::uint8_t, 9> WrenExtraBytes{};
    // The fire-key boxes as the collect step handed them over when one was typed into since the
    // display; the write-back stores them into every Fire Key slot. None: the slots keep their
    // bytes as read.
    std::optional<FireKeyBoxes> FireKey;
    // The macro name table and blocks as the mouse holds them (in a macro set file's order): what
    // the last full read brought or the last write of the macro area stored, every report
    // accepted; none while that is not known.
    std::optional<Bytes> MouseMacros;
    MacroNames MacroNameList;  // LB_MacroName entries, refreshed from the name table

    // DataBufToUI ran since the window last displayed the EditCopy (the window clears it).
    bool DisplayDue = false;

    // Resets the flags and variant knowledge as at window creation.
    void resetForStart();
    // Header decision from the image: ids and id table, chip and expected signature. A chip byte
    // other than 0 and 177 leaves the chip and the signature as they were.
    Status applyImageHeader(ByteSpan image);
    // Fills DataBuf from the default copies of `image` for DefaultChip, refreshes the macro
    // names and runs DataBufToUI. Without a DefaultChip nothing is copied.
    Status initNoDevice(ByteSpan image);
    // The default image of an identified mouse's variant (DefaultImages::forMouse), when it is of
    // another variant than the one shown: it takes the start image's place (header decision,
    // InitNoDevice) and what the window knew of the other variant's mouse goes with the old image.
    // An image of the variant shown changes nothing. The ids searched stay: both images carry them.
    Status useDefaultImage(ByteSpan image);
    // Validates DataBuf into the EditCopy and CodeTexts, drops the fire-key boxes handed over
    // before and raises DisplayDue.
    void DataBufToUI();
    // ExpectedSignature and the layout file's pair: the only signatures identification accepts,
    // and so the only ones a profile may bring or a write may send.
    AcceptedSignatures acceptedSignatures() const { return {ExpectedSignature, AlternativeSignature}; }
    // Refreshes MacroNameList from the name table.
    void RefreshMacroName();
    // A full read or write of the macro area ended: DataBuf's macros are the mouse's now or, when
    // a report of it was refused, what the mouse holds is not known.
    void macroAreaTransferred(bool allAccepted);
    // Macros from a file replaced the edited ones: they are to be written exactly when they differ
    // from what the mouse holds.
    void markMacrosAgainstMouse();
    // Writes the EditCopy back into DataBuf for DeviceChip (see writeBackEditCopy); the window's
    // collect step has brought the EditCopy up to date before.
    Status writeBack(WriteBackPath path);
};

}  // namespace varnel

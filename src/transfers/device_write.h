#pragma once
// Writing to the mouse: the device part of Apply (DownloadParameter), Reset (DefaultParameter),
// Save Macro and the reload command. Order and content of every report are fixed; a refused
// command or data report does not stop the sequence but makes the result a failure, and a mouse
// that leaves the bus ends it at once.
//
// Every write is checked: after its last write and before the reload command, the sections just
// written are read back and compared with what was sent. A mouse can accept every report and
// still not keep the bytes (a data report lost on the way, a flash cell that no longer clears);
// such a write fails with NotKept saying what, and MacrosDirty stays set when it was the macros.
#include "device/protocol.h"
#include "transfers/app_state.h"
#include "transfers/transfer_status.h"

namespace varnel {

// Whether a write reads back what it wrote (the command line can skip it for speed).
enum class WriteCheck { ReadBack, Skip };

// The device part of DownloadParameter, after the write-back of the EditCopy and the pointer
// settings: the mirrors for a Wren, then the writes and the reload command.
// MacrosDirty is cleared only when every macro erase and write was accepted.
TransferStatus writeParametersToMouse(AppState& state, DeviceLink& link, const ProgressSink& progress = {},
                                      WriteCheck check = WriteCheck::ReadBack);

// Reset: the default copies of the mouse's image in `images` (DefaultImages::forMouse) into
// DataBuf for DeviceChip, shown, then written. The Wren mirror at 0x6000 gets WrenExtraBytes as
// last read or written, not the defaults.
TransferStatus DefaultParameter(AppState& state, DeviceLink& link, const DefaultImages& images,
                                const ProgressSink& progress = {}, WriteCheck check = WriteCheck::ReadBack);
// Its two halves, for the window, which shows the defaults before the write begins: the default
// copies into DataBuf, shown (no device I/O); then the write of what DataBuf holds.
TransferStatus LoadDefaultParameter(AppState& state, const DefaultImages& images);
TransferStatus WriteDefaultParameter(AppState& state, DeviceLink& link, const ProgressSink& progress = {},
                                     WriteCheck check = WriteCheck::ReadBack);

// Save Macro: on a Wren, the names and all 32 macro blocks (no reload). Sets MacrosDirty as the
// button does and clears it only when every report was accepted.
TransferStatus SaveMacro(AppState& state, DeviceLink& link, const ProgressSink& progress = {},
                         WriteCheck check = WriteCheck::ReadBack);

// The reload command (SystemReloadCmd_OnClick): 16 when the rate code the write carried differs
// from LastReportRate (the mouse's own), else 17. A reload the mouse took, after a write it took
// whole, makes that rate its own.
LinkStatus sendReloadCommand(AppState& state, TransferSession& session);

}  // namespace varnel

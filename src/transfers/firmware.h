#pragma once
// Firmware programming of a Wren mouse: make sure the default-firmware region (the copy the mouse
// recovers from) holds the embedded default firmware, restoring it and reading it back if not; only
// then erase and write the new image into the firmware region, read it back and repair it, and only
// then tell the mouse to finish the update (command 18). Searching for the restarted mouse is the
// caller's (a 2000 ms wait, then ReFindDev).
#include <filesystem>

#include "common/bytes.h"
#include "common/result.h"
#include "device/protocol.h"
#include "transfers/app_state.h"
#include "transfers/transfer_status.h"

namespace varnel {

// The first 8192 bytes of a firmware file, refused before anything is erased when the file is
// plainly no firmware: shorter than the image (the rest of the region would be left to whatever
// the buffer held), of a profile's or macro file's size (they share the ".bin" filter), or an
// image of one byte value throughout (an erased or zeroed dump).
Result<Bytes> loadFirmwareFile(const std::filesystem::path& path);

// What programming came to. `finished`: the mouse accepted command 18, so it restarts with the new
// firmware and has to be searched for again, whatever `status` says about reports refused on the
// way. Without it the mouse was not told to finish, and the file can be programmed again.
struct FirmwareOutcome {
    TransferStatus status;
    bool finished = false;
};

// Btn_ProgramClick's transfer. Needs both channels, an identified mouse whose variant takes
// firmware updates, and FirmwareLoaded; both images 8192 bytes.
// A restore of the recovery copy that loses or has refused any report, or does not read back,
// stops before the firmware region is erased. Any other refused report makes the status a failure
// naming where it happened, also when the read-back mended the region and command 18 went out.
FirmwareOutcome programFirmware(AppState& state, DeviceLink& link, ByteSpan defaultFirmware, ByteSpan loadedFirmware,
                                const ProgressSink& progress = {});

}  // namespace varnel

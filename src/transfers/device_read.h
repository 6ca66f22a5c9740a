#pragma once
// Identification of the attached mouse and the full read of its configuration into DataBuf.
#include <array>

#include "config/signature.h"
#include "device/protocol.h"
#include "transfers/app_state.h"
#include "transfers/transfer_status.h"

namespace varnel {

// Command 14; the default image of the mouse's variant from `images` (AppState::useDefaultImage);
// variant check against DefaultChip, sensor table, signature check against the state's accepted
// signatures (quiet reads). A mouse that does not answer changes nothing; a refused mouse leaves
// the no-device appearance (NoDeviceMode) and keeps the reported variant.
TransferStatus identifyMouse(AppState& state, DeviceLink& link, const DefaultImages& images);

// The full read after identification (the window's Btn_Read): the transfer table for DeviceChip,
// then DataBufToUI and RefreshChipPages. DataBuf is filled as far as the mouse answered; the
// result says whether every report arrived.
TransferStatus readConfiguration(AppState& state, DeviceLink& link, const ProgressSink& progress = {});

// Reports a full read of `chip` takes (4916 for a Wren, 23 for a Lark).
std::size_t fullReadCost(ChipModel chip);

// Identification found and accepted a mouse of the shown variant. Writes, profiles and firmware
// act only on such a mouse: one that identification refused may be of the other variant.
bool identifiedMouse(const AppState& state);

// The data parts of the no-device appearance (RefreshErrorAP: only NoDeviceMode is set) and of the
// pages for the attached variant (RefreshChipPages: only NoDeviceMode is cleared).
void enterNoDeviceMode(AppState& state);
void leaveNoDeviceMode(AppState& state);

}  // namespace varnel

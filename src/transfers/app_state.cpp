#include "transfers/app_state.h"

#include "config/variant.h"
#include "macros/macro_file.h"

namespace varnel {

void AppState::resetForStart() { *this = AppState{}; }

Status AppState::applyImageHeader(ByteSpan image) {
    auto header = decideImageHeader(image);
    if (!header) return header.error();
    // The ids are searched for whatever the chip byte; a mouse found with them is still never
    // written to, as its variant cannot match a DefaultChip of none (identifiedMouse).
    DefaultVid = header->DefaultVid;
    DefaultPid = header->DefaultPid;
    if (header->DefaultChip) {
        DefaultChip = header->DefaultChip;
        ExpectedSignature = header->ExpectedSignature;
    }
    DeviceIdTable[0] = DeviceId{DefaultVid, DefaultPid};
    DeviceIdTable[1] = DeviceId{};
    return Status::success();
}

Status AppState::initNoDevice(ByteSpan image) {
    if (DefaultChip) {
        if (auto s = loadDefaultCopies(DataBuf, *DefaultChip, image); !s) return s;
        if (hasMacros(DefaultChip)) RefreshMacroName();
    }
    DataBufToUI();
    return Status::success();
}

Status AppState::useDefaultImage(ByteSpan image) {
    auto header = decideImageHeader(image);
    if (!header) return header.error();
    if (!header->DefaultChip || header->DefaultChip == DefaultChip) return Status::success();
    if (auto s = applyImageHeader(image); !s) return s;
    MacrosDirty = false;
    MouseMacros.reset();
    WrenExtraBytes = {};
    return initNoDevice(image);
}

void AppState::RefreshMacroName() { MacroNameList = varnel::RefreshMacroName(DataBuf.macroNameTable); }

void AppState::DataBufToUI() {
    validateIntoEditCopy(DataBuf, ShowContext{DefaultChip, DeviceChip, LightingKind, DefaultVid, DefaultPid}, EditCopy,
                         CodeTexts);
    FireKey.reset();
    DisplayDue = true;
}

void AppState::macroAreaTransferred(bool allAccepted) {
    if (allAccepted) {
        MouseMacros = macroSetFileBytes(DataBuf);
        MacrosDirty = false;
    } else {
        MouseMacros.reset();
    }
}

void AppState::markMacrosAgainstMouse() {
    if (hasMacros(DeviceChip)) MacrosDirty = MouseMacros != macroSetFileBytes(DataBuf);
}

Status AppState::writeBack(WriteBackPath path) {
    return writeBackEditCopy(DataBuf, EditCopy, CodeTexts, DeviceChip, FireKey, path);
}

}  // namespace varnel

#pragma once
// The window without Qt, started as the program starts it and with a mouse identified, for the
// fuzz targets that show images: one byte of the input picks the mouse.
#include <cstdint>
#include <memory>

#include "common/resources.h"
#include "device/device_info.h"
#include "profiles/image_builder.h"
#include "shell/main_window_model.h"
#include "skin/layout.h"
#include "skin/png_image.h"
#include "transfers/app_state.h"
#include "transfers/device_read.h"

namespace varnel::fuzz {

struct FuzzMouse {
    ChipModel chip;
    LightingKind lighting;
    SensorInfo sensor;
};

// Bit 0 the variant, bit 1 the lighting, the rest the sensor.
inline FuzzMouse mouseFromByte(std::uint8_t b) {
    return {(b & 1) ? ChipModel::Lark : ChipModel::Wren, (b & 2) ? LightingKind::Color : LightingKind::Rgb,
            kSensorTable[(b >> 2) % kSensorTable.size()]};
}

// The default image the program would be started with for that variant: the embedded Wren
// image, or a Lark image as `varnelctl --default-image` would take one.
inline Bytes defaultImageFor(ChipModel chip) {
    return chip == ChipModel::Wren ? resourceCopy("VarnelData")
                                   : buildLarkDefaultImage(kOurVendorId, kOurProductId, {0xFF, 0xFF});
}

struct FuzzWindow {
    explicit FuzzWindow(const FuzzMouse& mouse) {
        // Parsed once: the embedded files are the same for every input.
        static const IniDocument kLayout = std::move(embeddedLayoutDocument()).value();
        static const LanguageSet kLanguages = std::move(LanguageSet::loadEmbedded()).value();
        static const Bytes kImages[] = {defaultImageFor(ChipModel::Lark), defaultImageFor(ChipModel::Wren)};
        const Bytes& image = kImages[mouse.chip == ChipModel::Wren ? 1 : 0];
        model = std::make_unique<MainWindowModel>(state, kLanguages, embeddedPictureSize);
        model->formCreate(1024, 768, *kLayout.section(kLayoutSection), image);
        // What identification leaves for an accepted mouse of the shown variant.
        state.DeviceChip = mouse.chip;
        state.LightingKind = mouse.lighting;
        state.SensorModel = std::string(mouse.sensor.model);
        state.StepCount = mouse.sensor.stepCount;
        leaveNoDeviceMode(state);
        model->appearance().setChannelsOpen(true);
        model->mouseIdentified();
        model->showReadMouse();
    }

    // An image arrived (read, profile load): the data part and the window's display step.
    void display() {
        state.RefreshMacroName();
        state.DataBufToUI();
        model->RefreshUI();
    }

    AppState state;
    std::unique_ptr<MainWindowModel> model;
};

}  // namespace varnel::fuzz

#pragma once
// An AppModel over a traced virtual bus with one virtual mouse, started with the embedded default
// images and firmware (or one image that fixes the variant), the mouse holding factory memory.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/resources.h"
#include "config/default_image.h"
#include "config/layout.h"
#include "device/virtual_rig.h"
#include "profiles/image_builder.h"
#include "transfers/app_model.h"
#include "transfers/virtual_factory.h"

namespace varnel::testing {

inline Bytes embeddedBytes(const char* name) { return resourceCopy(name); }
inline DefaultImages embeddedImages() { return embeddedDefaultImages().value(); }

// A Lark default image with our ids and the given signature.
inline Bytes larkDefaultImage(std::uint8_t sig0 = 0xFF, std::uint8_t sig1 = 0xFF) {
    return buildLarkDefaultImage(kOurVendorId, kOurProductId, {sig0, sig1});
}

// `image`, a stored image of `chip`, with ReportRateCode `code` (1 = 1000 Hz, 2 = 500 Hz).
inline Bytes withReportRate(Bytes image, ChipModel chip, std::uint8_t code) {
    image[param_b::kReportRateCode] = code;
    storeSectionChecksum(MutableByteSpan(image.data(), parameterBlockSize(chip)), layoutFor(chip).parameterB);
    return image;
}

// The command lines of a trace ("S0 40 ..."), without the report id, e.g. "0B 50 00 00 00".
inline std::vector<std::string> commandsOf(const std::vector<std::string>& trace) {
    std::vector<std::string> out;
    for (const auto& line : trace) {
        auto space = line.find(' ');
        if (line.compare(space + 1, 2, "40") == 0) out.push_back(line.substr(space + 4, 14));
    }
    return out;
}

inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

struct TransferRig {
    explicit TransferRig(VirtualMouseOptions options, DefaultImages defaultImages = embeddedImages())
        : rig(options), model(state, rig.traced, *rig.clock) {
        AppModelConfig config{std::move(defaultImages), embeddedBytes("DefaultFW"), {}};
        EXPECT_TRUE(
            rig.mouse
                ->loadMemory(factoryMemory(options.model.chip, config.defaultImages.forMouse(options.model.chip),
                                           config.defaultFirmware))
                .ok());
        EXPECT_TRUE(model.start(std::move(config)).ok());
    }
    explicit TransferRig(const std::string& model, int interfaces = 1) : TransferRig(mouseOptions(model, interfaces)) {}

    // Open, identify and read as on plug-in (ReFindDev drives the same search); clears the trace.
    SearchOutcome plugIn() {
        SearchOutcome o = model.runSearch(model.ReFindDev());
        rig.trace.clear();
        return o;
    }
    Bytes memory(std::size_t from, std::size_t n) const {
        Bytes m = rig.mouse->memory();
        return Bytes(m.begin() + static_cast<std::ptrdiff_t>(from), m.begin() + static_cast<std::ptrdiff_t>(from + n));
    }

    VirtualRig rig;
    AppState state;
    AppModel model;
};

}  // namespace varnel::testing

#pragma once
// Picture sizes for model tests that do not depend on the drawn skin.
#include <optional>
#include <string_view>

#include "skin/png_image.h"

namespace varnel::testing {

inline std::optional<PictureSize> fakePictureSize(std::string_view name) {
    struct Row {
        std::string_view prefix;
        PictureSize size;
    };
    constexpr Row kRows[] = {
        {"L1_BackGround", {800, 600}},
        {"L2_BackGround", {800, 600}},
        {"L3_BackGround", {800, 600}},
        {"L1_Back", {420, 320}},
        {"L2_Back", {420, 320}},
        {"L3_Back", {420, 320}},
        {"BtnS_", {46, 22}},
        {"SetS_", {110, 26}},
        {"KeyS_", {164, 30}},
        {"WebS_", {110, 26}},
        {"MacroBtnS_", {44, 22}},
        {"MacroS_", {100, 22}},
        {"Bar1_", {28, 8}},
        {"Bar2_", {16, 6}},
        {"Col_F", {44, 22}},
        {"RdS_", {16, 16}},
        {"CbS_", {16, 16}},
        {"InsertDelayBase", {222, 152}},
        {"InsertKeyBase", {222, 152}},
        {"Update", {480, 240}},
    };
    for (const auto& r : kRows) {
        if (name.starts_with(r.prefix)) return r.size;
    }
    return std::nullopt;
}

}  // namespace varnel::testing

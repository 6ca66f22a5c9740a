#pragma once
// The window model after FormCreate on the embedded default image and layout, on a 1024 x 768
// screen, as the window and editor model tests start from.
#include <gtest/gtest.h>

#include <memory>

#include "common/resources.h"
#include "shell/main_window_model.h"
#include "skin/fake_pictures.h"
#include "skin/layout.h"
#include "transfers/app_state.h"

namespace varnel::testing {

struct StartedWindowModel {
    IniDocument layout = IniDocument::parse("");  // the model keeps pointing into it
    std::unique_ptr<MainWindowModel> model;
};

// Fills `out`; failures are reported with ASSERT so the calling SetUp stops there. `pointerStore`:
// the desktop pointer settings (none: a desktop that offers none).
inline void startWindowModel(AppState& state, StartedWindowModel& out,
                             std::unique_ptr<PointerSettingsStore> pointerStore = nullptr) {
    auto langs = LanguageSet::loadEmbedded();
    ASSERT_TRUE(langs.ok()) << langs.error().message;
    auto doc = embeddedLayoutDocument();
    ASSERT_TRUE(doc.ok());
    out.layout = std::move(doc).value();
    out.model =
        std::make_unique<MainWindowModel>(state, std::move(langs).value(), fakePictureSize, std::move(pointerStore));
    auto image = findResource("VarnelData");
    ASSERT_TRUE(image.ok());
    out.model->formCreate(1024, 768, *out.layout.section(kLayoutSection), *image);
}

}  // namespace varnel::testing

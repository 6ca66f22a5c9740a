#pragma once
// The four DPI stages of the Advanced page as plain state: which stages are on (always stages
// 1..ActiveDpiLevels), each stage's DPI text and lit segments, the current stage and the stage
// colours, with the editing rules and the load from / store into the EditCopy. It reads the
// state only in load() and store(): between them it works on what the display showed (sensor,
// lighting), so a dialog answered during a device job never touches the worker's state.
#include <array>
#include <optional>
#include <string>

#include "editors/colour.h"
#include "editors/dpi_table.h"
#include "transfers/app_state.h"

namespace varnel {

constexpr int kDpiStages = 4;  // DpiCode 1..4

class DpiStages {
public:
    struct Stage {
        std::string value;     // lbl_DPI<n>Value: the DPI text, and what the write-back stores
        int lit = 0;           // segments 1..lit lit
        PercentColour colour;  // Edt_CPI<n>R/G/B, as the image holds them
    };

    // `state` outlives the stages. ActiveDpiLevels stays in the state (the window's counter).
    explicit DpiStages(AppState& state);

    // Load: the stage count, the DPI texts and bars, the current stage from the EditCopy, and
    // the sensor and lighting they are shown for. Stage colours load separately (loadColours),
    // after the report rate.
    void load();
    void loadColours();
    // Store: DpiStageCount, DpiCode 1..4 and CurrentDpiStage; storeColours the StageColor bytes.
    void store();
    void storeColours();

    // Segment `step` of stage `n` clicked: the stage shows that step. False when nothing changed
    // (a switched-off stage, no sensor, a step the sensor does not have).
    bool selectStep(int n, int step);
    // Stage label `n` clicked: stages switch on only at the top of the run of switched-on stages
    // and off only from its top; the last one stays. False when nothing changed.
    bool toggleStage(int n);
    // Check box `n` clicked: stage n becomes current. A switched-off stage's box takes no clicks.
    bool makeCurrent(int n);
    // A colour picked for stage `n`: stored as percentages. Only mice with RGB lighting show
    // stage colours.
    bool setColour(int n, const Rgb& picked);

    const Stage& stage(int n) const { return stages_[index(n)]; }
    bool isOn(int n) const { return n >= 1 && n <= state_.ActiveDpiLevels; }
    int current() const { return current_; }
    // A switched-on stage shows no step: the image holds a code the sensor's table lacks.
    bool showsUnknownCode() const;
    // Steps of the sensor shown (0: none known).
    int stepCount() const { return sensor_ ? sensor_->stepCount : 0; }
    // Stage colours are shown and stored (LightingKind "RGB").
    bool coloursShown() const { return colours_; }

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }
    static bool valid(int n) { return n >= 1 && n <= kDpiStages; }
    // The stage shows `step` of the sensor (which must be known), or an empty text and an unlit
    // bar without one.
    void showStep(Stage& s, std::optional<int> step) const;

    AppState& state_;
    std::array<Stage, kDpiStages> stages_;
    int current_ = 1;
    std::optional<SensorSteps> sensor_;
    bool colours_ = false;
    // An image whose DpiStageCount is 0 or above 4 is shown as 1 or 4 stages; its bytes 6..10
    // are stored only once the user has changed a stage.
    bool countOutOfRange_ = false;
    bool edited_ = false;
};

}  // namespace varnel

#pragma once
// The Advanced page's model: the four DPI stages with their bars, check boxes and colours, the
// report rate, the fire-key boxes (Edt_Repeat1, Edt_DelayTime1) and the sensor's step segments.
// The boxes' texts are the page's own until the collect step hands them to the state: typing
// during a device job never touches the state the worker holds. Only boxes typed into since a
// display set them are handed over for every Fire Key slot; untouched, the slots keep their bytes
// as read, whatever the leave-corrections would make of them.
// The rules of the stages are DpiStages'; this page shows them on the controls.
#include "config/edit_copy.h"
#include "editors/dpi_stages.h"
#include "skin/captions.h"
#include "skin/controls.h"
#include "skin/page_model.h"
#include "transfers/app_state.h"

namespace varnel {

class AdvancedPage : public PageModel {
public:
    // Everything given outlives the page.
    AdvancedPage(ControlTable& controls, AppState& state, const CaptionsModel& captions);

    // Display, in this order: DPI stages, report rate, stage colours, then RefreshFireKeyMode on
    // the boxes.
    void load() override;
    // Collect, in the same order: DpiStageCount, DpiCode, CurrentDpiStage, ReportRateCode,
    // StageColor; then boxes typed into, corrected as if left (a box still being edited counts as
    // left), into the state for the write-back.
    void store() override;
    // The stage labels take the new language's Selected and notSelected colours.
    void languageChanged() override;

    // DPI1Vlaue_OnClick .. DPI4Vlaue_OnClick: segment `step` of stage `stage` clicked.
    void DPIVlaue_OnClick(int stage, int step);
    // Stage label lbl_DPI<stage> clicked: the stage switches on or off; a refused click says why
    // in lbl_DpiNote until the next click on the stages.
    void DPILevel_OnClick(int stage);
    // Check box Img_DPI<stage> clicked: the stage becomes current.
    void CurrentDPI_OnClick(int stage);
    // The colour dialog of stage `stage` answered with `picked` (a cancelled dialog changes
    // nothing and does not call this).
    void setStageColour(int stage, const Rgb& picked);
    // The stage's colour as the swatch shows it (the dialog opens on it).
    Rgb stageColour(int stage) const;
    // lbl_Rep1 / lbl_Rep2 clicked: choice 1 (1000 Hz) or 2 (500 Hz).
    void ReportRate_OnClick(int choice);

    const DpiStages& dpi() const { return dpi_; }
    // 1 (1000 Hz) or 2 (500 Hz): the report-rate choice shown.
    int reportRateChoice() const { return rateChoice_; }

    // The boxes' texts as the user typed them, onto the boxes (so a re-render shows them).
    void editFireKeyBoxes(const FireKeyBoxes& typed);
    // A box left: typed boxes take their corrections; untouched ones keep what a display put in.
    const FireKeyBoxes& leaveFireKeyBoxes();
    const FireKeyBoxes& fireKeyBoxes() const { return fireKey_; }
    // The sensor set-up at identification: segments 1..StepCount of every stage shown, the rest
    // hidden; no sensor known yet changes nothing.
    void showSensorSteps();

private:
    void showStage(int stage);
    void showStages();
    void showReportRate();
    void showFireKeyBoxes();
    // lbl_DpiNote: a refused switch, else stages whose stored code is no step of the sensor.
    void showDpiNote();

    ControlTable& controls_;
    AppState& state_;
    const CaptionsModel& captions_;
    DpiStages dpi_;
    int rateChoice_ = 1;  // rb_Rep1 checked at creation
    FireKeyBoxes fireKey_;
    bool fireKeyTyped_ = false;  // since a display last set the boxes
    bool switchRefused_ = false;  // the last click on a stage label changed nothing
};

}  // namespace varnel

#include "skin/skin_styles.h"

namespace varnel::skin {

namespace {

void addBarLabels(std::vector<std::string>& out, std::string_view base) {
    for (int page = 1; page <= kPageGroupCount; ++page) out.push_back(barLabel(base, page));
}

void applyLook(ControlTable& t, const std::string& name, const StartLook& look) {
    if (look.checked) t.setChecked(name, *look.checked);
    if (!look.picture.empty()) t.setPicture(name, look.picture);
    if (look.enabled) t.setEnabled(name, *look.enabled);
    if (look.visible) t.setVisible(name, *look.visible);
    if (look.align) t.setAlign(name, *look.align);
    if (look.fontSize > 0)
        t.setFont(name, look.fontSize, look.fontColor);
    else if (look.fontColor)
        t.setFontColor(name, *look.fontColor);
    if (look.backColor) t.setBackColor(name, *look.backColor);
    if (look.itemIndex) t.setItemIndex(name, *look.itemIndex);
    if (look.itemHeight > 0) t.setItemHeight(name, look.itemHeight);
    if (look.at) t.moveTo(name, (*look.at)[0], (*look.at)[1]);
}

}  // namespace

std::vector<std::string> namesOf(const Controls& controls, const ControlTable& table) {
    if (controls.family != nullptr) return controls.family(table);
    return {std::string(controls.name)};
}

std::vector<std::string> actionBarLabels(const ControlTable&) {
    std::vector<std::string> out;
    for (const auto& b : kActionButtons) addBarLabels(out, b.base);
    return out;
}

std::vector<std::string> pageBarLabels(const ControlTable&) {
    std::vector<std::string> out;
    for (const auto& b : kPageButtons) {
        if (b.base != pageInfo(Page::Update).button) addBarLabels(out, b.base);
    }
    return out;
}

std::vector<std::string> updateBarLabels(const ControlTable&) {
    std::vector<std::string> out;
    addBarLabels(out, pageInfo(Page::Update).button);
    return out;
}

std::vector<std::string> stepNumbers(std::span<const TenStepBar> bars) {
    std::vector<std::string> out;
    for (const auto& bar : bars) {
        for (int i = 1; i <= kTenStepCount; ++i) out.push_back(barNumber(bar, i));
    }
    return out;
}

std::vector<std::string> unlitSteps(std::span<const TenStepBar> bars) {
    std::vector<std::string> out;
    for (const auto& bar : bars) {
        for (int i = 2; i <= kTenStepCount; ++i) out.push_back(barStep(bar, i));
    }
    return out;
}

std::vector<std::string> colourEdits(std::span<const Swatch> swatches) {
    std::vector<std::string> out;
    for (const auto& s : swatches) {
        for (const char* c : {"R", "G", "B"}) out.push_back(std::string(s.edits) + c);
    }
    return out;
}

void applyStartLooks(ControlTable& table, std::span<const StartRow> rows) {
    for (const auto& row : rows) {
        for (const auto& name : namesOf(row.controls, table)) applyLook(table, name, row.look);
    }
}

void markCheckedOptions(ControlTable& table) {
    const auto mark = [&](const OptionPicture& o) {
        table.setPicture(o.picture, kOptionMark.of(table.checked(o.radio)));
    };
    for (const auto& o : kReportOptions) mark(o);
    for (const auto& o : kLedModes) mark(o);
    for (const auto& o : kColourSources) mark(o);
    for (int d = 1; d <= kDpiLevelCount; ++d) table.setPicture(dpiCheck(d), kCheckBox.of(table.checked(dpiRadio(d))));
}

}  // namespace varnel::skin

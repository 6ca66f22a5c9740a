#include "skin/page_navigation.h"

#include "skin/button_families.h"
#include "skin/control_names.h"

namespace varnel {

using namespace skin;

NavigationModel::NavigationModel(ControlTable& controls, AppState& state, const CaptionsModel& captions)
    : controls_(controls), state_(state), captions_(captions) {}

void NavigationModel::addPage(PageModel& page) { pages_.push_back(&page); }

void NavigationModel::setCopies(std::string_view base, std::string_view picture) {
    for (int page = 1; page <= kPageGroupCount; ++page) controls_.setPicture(barPicture(base, page), picture);
}

void NavigationModel::showGroup(int group) {
    for (int page = 1; page <= kPageGroupCount; ++page) controls_.setVisible(pageGroup(page), page == group);
}

void NavigationModel::checkRadio(std::string_view group, std::string_view radio) {
    for (const auto& g : kRadioGroups) {
        if (g.group != group) continue;
        for (const auto r : g.radios) {
            if (!r.empty()) controls_.setChecked(r, r == radio);
        }
    }
}

Page NavigationModel::currentPage() const {
    for (const auto& p : kPages) {
        if (controls_.checked(p.radio)) return p.page;
    }
    return Page::Main;
}

std::optional<std::string_view> NavigationModel::pageClick(Page page) {
    if (state_.NoDeviceMode) return std::nullopt;
    for (const PageModel* p : pages_) {
        if (const auto key = p->refusal(page)) return key;
    }
    openPage(page);
    return std::nullopt;
}

void NavigationModel::openPage(Page page) {
    const PageInfo& info = pageInfo(page);
    buttonTypeB1IconInit();
    checkRadio(ctrl::gbPageCtl, info.radio);
    showGroup(info.group);
    for (PageModel* p : pages_) p->opened(page);
    setCopies(info.button, familyPictures(HoverFamily::B).third);
    showPagePicture(page);
}

void NavigationModel::showPagePicture(Page page) {
    const PageInfo& info = pageInfo(page);
    if (info.backNumber == 0) return;
    const bool hintless = state_.NoDeviceMode && isButtonMapPage(page);
    controls_.setPicture(info.pictureControl,
                         pagePicture(captions_.languageNumber(), hintless ? pageInfo(Page::Fixed).backNumber
                                                                          : info.backNumber));
}

void NavigationModel::showMapPage(Page page) {
    checkRadio(ctrl::gbPageCtl, pageInfo(page).radio);
    showPagePicture(page);
    // Only the shown page's button is marked, so none stays marked from an earlier page.
    for (const auto& p : kPages) setCopies(p.button, familyPictures(HoverFamily::B).normal);
    setCopies(pageInfo(page).button, familyPictures(HoverFamily::B).third);
    showGroup(pageInfo(page).group);
}

void NavigationModel::buttonTypeB1IconInit() {
    for (const auto& p : kPages) setCopies(p.button, familyPictures(HoverFamily::B).normal);
    state_.NoDeviceMode = false;
}

void NavigationModel::refreshAPPage() {
    if (state_.NoDeviceMode) {
        showGroup(1);
        return;
    }
    const Page page = currentPage();
    showGroup(pageInfo(page).group);
    for (PageModel* p : pages_) p->reshown(page);
}

void NavigationModel::showNoDevicePages() {
    showGroup(1);
    const auto& set = familyPictures(HoverFamily::B);
    for (const auto& p : kPages) setCopies(p.button, p.page == Page::Main ? set.third : set.normal);
}

void NavigationModel::showPageButton(Page page, bool shown) {
    for (int group = 1; group <= kPageGroupCount; ++group) {
        controls_.setVisible(barLabel(pageInfo(page).button, group), shown);
        controls_.setVisible(barPicture(pageInfo(page).button, group), shown);
    }
}

void NavigationModel::showLanguage() {
    const int n = captions_.languageNumber();
    const auto& set = familyPictures(HoverFamily::D);
    for (int l = 1; l <= kLanguageCount; ++l) setCopies(languageButtonBase(l), l == n ? set.third : set.normal);
    checkRadio(ctrl::gbLang, languageRadio(n));
    for (int group = 1; group <= kPageGroupCount; ++group) controls_.setPicture(baseImage(group), backgroundPicture(n));
    showPagePicture(currentPage());
}

void NavigationModel::markCurrentPageButton() {
    if (state_.NoDeviceMode) return;
    setCopies(pageInfo(currentPage()).button, familyPictures(HoverFamily::B).third);
}

void NavigationModel::markCurrentLanguageButton() {
    for (int n = 1; n <= kLanguageCount; ++n) {
        if (controls_.checked(languageRadio(n))) setCopies(languageButtonBase(n), familyPictures(HoverFamily::D).third);
    }
}

void NavigationModel::hoverEnter(std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    const auto& pictures = familyPictures(target->family);
    for (const auto& p : target->pictures) controls_.setPicture(p, pictures.hover);
    // The Web button changes only its pictures: no scrolling, and no search waits for it.
    if (target->family == HoverFamily::Web) return;
    const Control* c = controls_.find(label);
    if (c == nullptr) return;
    marquee_.start(label, c->caption);
    hovering_ = true;
    if (c->enabled) labelRunEnabled_ = true;
    if (target->family == HoverFamily::Record) overRecordButton_ = true;
}

void NavigationModel::hoverLeave(std::string_view label) {
    const auto target = hoverTarget(label);
    if (!target) return;
    const auto& pictures = familyPictures(target->family);
    if (target->family == HoverFamily::Web) {
        for (const auto& p : target->pictures) controls_.setPicture(p, pictures.normal);
        return;
    }
    labelRunEnabled_ = false;
    // The overlay of a running job, or a dialog, takes the pointer off the pressed button; it
    // stays pressed.
    bool keepPressed = false;
    for (int page = 1; page <= kPageGroupCount && busy_ && !pressed_.empty(); ++page)
        keepPressed |= label == barLabel(pressed_, page);
    if (!keepPressed) {
        for (const auto& p : target->pictures) controls_.setPicture(p, pictures.normal);
    }
    // The page marker reads the state, which is the worker's during a job: marked at its end.
    if (target->family == HoverFamily::B && !busy_) markCurrentPageButton();
    if (target->family == HoverFamily::D) markCurrentLanguageButton();
    if (marquee_.active()) {
        const std::string name = marquee_.label();
        controls_.setCaption(name, marquee_.stop());
    }
    hovering_ = false;
    if (target->family == HoverFamily::Record) overRecordButton_ = false;
}

void NavigationModel::labelRunTick() {
    if (!marquee_.active()) return;
    const std::string caption = marquee_.tick();
    controls_.setCaption(marquee_.label(), caption);
}

void NavigationModel::webClicked() { setCopies(kWebButton.base, familyPictures(HoverFamily::Web).third); }

void NavigationModel::setBusy(bool busy) {
    const bool ended = busy_ && !busy;
    busy_ = busy;
    if (ended) markCurrentPageButton();
}

void NavigationModel::pressActionButton(std::string_view base) {
    const auto target = hoverTarget(barLabel(base, 1));
    if (!target) return;
    pressed_ = base;
    pressedFamily_ = target->family;
    setCopies(base, familyPictures(pressedFamily_).third);
}

void NavigationModel::releaseActionButton() {
    if (pressed_.empty()) return;
    setCopies(pressed_, familyPictures(pressedFamily_).normal);
    // The pointer may still rest on the button (a dialog or message closed under it).
    const auto hovered = hovering_ && marquee_.active() ? hoverTarget(marquee_.label()) : std::nullopt;
    for (int page = 1; hovered && page <= kPageGroupCount; ++page) {
        if (marquee_.label() != barLabel(pressed_, page)) continue;
        for (const auto& p : hovered->pictures) controls_.setPicture(p, familyPictures(pressedFamily_).hover);
    }
    pressed_.clear();
}

}  // namespace varnel

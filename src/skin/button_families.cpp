#include "skin/button_families.h"

#include <charconv>

namespace varnel {

using namespace skin;

namespace {

// Splits "Btn_<base>_<k>" of a bar copy into base and page number 1..5.
std::optional<std::pair<std::string_view, int>> splitBarLabel(std::string_view label) {
    if (!label.starts_with("Btn_")) return std::nullopt;
    const auto sep = label.rfind('_');
    if (sep <= 3 || sep + 2 != label.size()) return std::nullopt;
    int page = 0;
    const char* digits = label.data() + sep + 1;
    if (std::from_chars(digits, digits + 1, page).ec != std::errc{}) return std::nullopt;
    if (page < 1 || page > kPageGroupCount) return std::nullopt;
    return std::pair{label.substr(4, sep - 4), page};
}

const BarButton* findBarButton(std::string_view base) {
    for (const auto& b : kActionButtons) {
        if (b.base == base) return &b;
    }
    for (const auto& b : kPageButtons) {
        if (b.base == base) return &b;
    }
    if (base == kWebButton.base) return &kWebButton;
    if (base == kMinimiseButton.base) return &kMinimiseButton;
    return nullptr;
}

std::vector<std::string> allCopies(std::string_view base) {
    std::vector<std::string> out;
    for (int page = 1; page <= kPageGroupCount; ++page) out.push_back(barPicture(base, page));
    return out;
}

template <std::size_t N>
std::optional<HoverTarget> fromPictureButtons(const std::array<PictureButton, N>& buttons, std::string_view label) {
    for (const auto& b : buttons) {
        if (b.label == label) return HoverTarget{b.family, {std::string(b.picture)}};
    }
    return std::nullopt;
}

}  // namespace

std::optional<HoverTarget> hoverTarget(std::string_view label) {
    if (const auto bar = splitBarLabel(label)) {
        const BarButton* b = findBarButton(bar->first);
        if (b == nullptr) return std::nullopt;
        // Families A, Web and Minimise keep the five copies alike; B and D change only the hovered
        // copy.
        if (b->family == HoverFamily::A || b->family == HoverFamily::Web || b->family == HoverFamily::Minimise)
            return HoverTarget{b->family, allCopies(b->base)};
        return HoverTarget{b->family, {barPicture(b->base, bar->second)}};
    }
    for (int k = 1; k <= kKeyLabelCount; ++k) {
        if (label == keyLabel(k)) return HoverTarget{HoverFamily::C, {keyPicture(k)}};
    }
    if (auto t = fromPictureButtons(kMacroButtons, label)) return t;
    if (auto t = fromPictureButtons(kInsertButtons, label)) return t;
    return fromPictureButtons(kUpdateButtons, label);
}

std::optional<BarClick> barClick(std::string_view label) {
    const auto bar = splitBarLabel(label);
    if (!bar) return std::nullopt;
    const std::string_view base = bar->first;
    for (const auto& p : kPages) {
        if (p.button == base) return BarClick{BarAction::Page, p.page, 0};
    }
    for (int n = 1; n <= kLanguageCount; ++n) {
        if (base == languageButtonBase(n)) return BarClick{BarAction::Language, Page::Main, n};
    }
    struct Named {
        std::string_view base;
        BarAction action;
    };
    constexpr Named kOthers[] = {{"Web", BarAction::Web},          {"Confirm", BarAction::Confirm},
                                 {"Apply", BarAction::Apply},      {"Reset", BarAction::Reset},
                                 {"Exit", BarAction::Exit},        {"Min", BarAction::Minimise},
                                 {"Save", BarAction::SaveProfile}, {"Load", BarAction::LoadProfile}};
    for (const auto& o : kOthers) {
        if (o.base == base) return BarClick{o.action};
    }
    return std::nullopt;
}

}  // namespace varnel

#pragma once
// Which advice a message about a mouse that may not be opened gives, by where the udev rule lies on
// this machine. One choice for every wording of it (the window's languages, the tool's English).
#include <filesystem>
#include <optional>

namespace varnel {

struct UdevRuleLocation {
    std::filesystem::path path;
    bool installed = false;  // in one of udev's folders, not in a source tree
};

enum class UdevAdvice {
    RuleGrantsAccess,  // no rule file here: say what one would grant, naming no path
    Replug,            // the rule is installed: replug the mouse (or log in again)
    InstallRule,       // the rule lies in a source tree: install it, then replug
};

inline UdevAdvice udevAdviceFor(const std::optional<UdevRuleLocation>& rule) {
    if (!rule) return UdevAdvice::RuleGrantsAccess;
    return rule->installed ? UdevAdvice::Replug : UdevAdvice::InstallRule;
}

}  // namespace varnel

#include "platform/udev_rule.h"

#include <system_error>

namespace varnel {

namespace {
constexpr char kRuleName[] = "70-varnel-config.rules";
}  // namespace

std::optional<UdevRuleLocation> firstExistingRule(const std::vector<UdevRuleLocation>& candidates) {
    for (const UdevRuleLocation& c : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(c.path, ec)) return c;
    }
    return std::nullopt;
}

std::string udevRuleAdvice(const std::optional<UdevRuleLocation>& rule) {
    switch (udevAdviceFor(rule)) {
        case UdevAdvice::RuleGrantsAccess: return "a udev rule for the mouse's USB ids grants access";
        case UdevAdvice::Replug:
            return "the udev rule " + rule->path.string() + " is installed; unplug and replug the mouse";
        case UdevAdvice::InstallRule: break;
    }
    return "install the udev rule " + rule->path.string() + " into /etc/udev/rules.d, then unplug and replug the mouse";
}

std::optional<UdevRuleLocation> findUdevRule(const std::filesystem::path& root) {
    const std::filesystem::path name(kRuleName);
    // Where a package, `make install` under /usr/local, and an administrator put it; udev reads all.
    std::vector<UdevRuleLocation> candidates{
        {root / "usr/lib/udev/rules.d" / name, true},
        {root / "lib/udev/rules.d" / name, true},
        {root / "usr/local/lib/udev/rules.d" / name, true},
        {root / "etc/udev/rules.d" / name, true},
    };
#ifdef VARNEL_SOURCE_DIR
    candidates.push_back({std::filesystem::path(VARNEL_SOURCE_DIR) / "packaging" / name, false});
#endif
    return firstExistingRule(candidates);
}

}  // namespace varnel

#pragma once
// Where the udev rule that lets a user open the mouse lies on this machine, so that the advice of
// a message about a missing mouse names a file that exists.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/udev_advice.h"

namespace varnel {

// The first of `candidates` that exists as a file.
std::optional<UdevRuleLocation> firstExistingRule(const std::vector<UdevRuleLocation>& candidates);

// What to do about a mouse that may not be opened, in English for the tool and the log: install
// the rule found, replug after it is installed, or, without a rule file here, what one grants.
std::string udevRuleAdvice(const std::optional<UdevRuleLocation>& rule);

// The installed rule (udev's folders under `root`, a package's first), else the one in the source
// tree this program was built from.
std::optional<UdevRuleLocation> findUdevRule(const std::filesystem::path& root = "/");

}  // namespace varnel

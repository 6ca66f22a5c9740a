// The udev rule and the other packaged files that name the mouse. Debian 12's udevadm has no
// `verify`, so the rule is split here as udev reads a line: comma-separated KEY OP "value" pairs.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/udev_rule.h"
#include "profiles/image_builder.h"
#include "scratch_files.h"

namespace varnel {
namespace {

// The pairs of one rule line as "KEY OP value"; a line udev would not read whole yields "unread".
std::vector<std::string> ruleLinePairs(const std::string& line) {
    static const std::regex pair(R"re(\s*([A-Z]+(\{\w+\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re");
    std::vector<std::string> pairs;
    std::smatch m;
    for (auto from = line.cbegin();; from = m[0].second) {
        if (!std::regex_search(from, line.cend(), m, pair, std::regex_constants::match_continuous)) return {"unread"};
        pairs.push_back(m.str(1) + " " + m.str(3) + " " + m.str(4));
        if (m.length(5) == 0) return pairs;  // the line ended after this pair, not after a comma
    }
}

std::string hex4(std::uint16_t v, const char* format) {
    char text[5];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

std::string packagingFile(const char* name) {
    return testing::fileText(std::filesystem::path(VARNEL_SOURCE_DIR) / "packaging" / name);
}

TEST(UdevRule, TheOneRuleTagsTheMouseHidrawNodesForTheSeatUser) {
    std::istringstream rules(packagingFile("70-varnel-config.rules"));
    std::vector<std::vector<std::string>> parsed;
    for (std::string line; std::getline(rules, line);)
        if (!line.empty() && line[0] != '#') parsed.push_back(ruleLinePairs(line));
    // sysfs spells the ids in lower-case hex; ATTRS looks at the hidraw node's USB parents.
    const std::vector<std::vector<std::string>> expected{{
        "SUBSYSTEM == hidraw",
        "KERNEL == hidraw*",
        "ATTRS{idVendor} == " + hex4(kOurVendorId, "%04x"),
        "ATTRS{idProduct} == " + hex4(kOurProductId, "%04x"),
        "TAG += uaccess",
    }};
    EXPECT_EQ(parsed, expected);
}

// Where a package, `make install` (prefix /usr/local) or an administrator put the rule, the advice
// of a message about a mouse that may not be opened finds it; with none installed, the source tree's.
TEST(UdevRule, IsFoundWhereverItWasInstalled) {
    const std::filesystem::path name = "70-varnel-config.rules";
    for (const char* folder : {"usr/lib/udev/rules.d", "usr/local/lib/udev/rules.d", "etc/udev/rules.d", ""}) {
        const std::filesystem::path root = testing::freshFolder("udev-root"), installed = root / folder / name;
        if (*folder) std::filesystem::create_directories(installed.parent_path()), std::ofstream(installed) << "\n";
        const auto found = findUdevRule(root);
        ASSERT_TRUE(found) << folder;
        EXPECT_EQ(found->path, *folder ? installed : std::filesystem::path(VARNEL_SOURCE_DIR) / "packaging" / name);
        EXPECT_EQ(found->installed, *folder != '\0') << folder;
        std::filesystem::remove_all(root);
    }
}

// The package's post-install step and the software centres' hardware match name the ids the
// program opens.
TEST(PackagedFiles, NameTheMouseByTheProgramsIds) {
    const std::string modalias =
        "usb:v" + hex4(kOurVendorId, "%04X") + "p" + hex4(kOurProductId, "%04X") + "d*</modalias>";
    const std::pair<const char*, std::string> rows[] = {
        {"postinst", "/idVendor\" 2>/dev/null)\" = " + hex4(kOurVendorId, "%04x")},
        {"postinst", "/idProduct\" 2>/dev/null)\" = " + hex4(kOurProductId, "%04x")},
        {"app.metainfo.xml.in", "<modalias>" + modalias},
    };
    for (const auto& [file, text] : rows) EXPECT_NE(packagingFile(file).find(text), std::string::npos) << file;
}

}  // namespace
}  // namespace varnel

// The udev rule and the other packaged files that name the mouse. Debian 12's udevadm has no
// `verify`, so the rule is read here as udev reads a rule line: comma-separated KEY OP "value"
// pairs, match keys with == or !=, assignments with = += -= :=.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "platform/udev_rule.h"
#include "profiles/image_builder.h"
#include "scratch_files.h"

namespace varnel {
namespace {

struct RuleKey {
    std::string key, op, value;
    bool operator==(const RuleKey&) const = default;
};

std::ostream& operator<<(std::ostream& os, const RuleKey& k) { return os << k.key << k.op << '"' << k.value << '"'; }

// The keys this project's rules may use, and whether each compares (== !=) or assigns.
bool keyTakes(const std::string& key, const std::string& op) {
    static const struct {
        std::regex name;
        bool compares, assigns;
    } kinds[] = {
        {std::regex(R"(ACTION|SUBSYSTEMS?|KERNELS?|DRIVERS?|ATTRS?\{\w+\})"), true, false},
        {std::regex(R"(TAG|ENV\{\w+\})"), true, true},
        {std::regex(R"(MODE|GROUP|OWNER|RUN)"), false, true},
    };
    const bool comparing = op == "==" || op == "!=";
    for (const auto& kind : kinds)
        if (std::regex_match(key, kind.name)) return comparing ? kind.compares : kind.assigns;
    return false;
}

// The pairs of one rule line, or nothing when udev would not read it as intended.
std::optional<std::vector<RuleKey>> parseRuleLine(const std::string& line) {
    static const std::regex pair(R"re(\s*([A-Z]+(\{\w+\})?)\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re");
    std::vector<RuleKey> keys;
    std::smatch m;
    for (auto from = line.cbegin();; from = m[0].second) {
        if (!std::regex_search(from, line.cend(), m, pair, std::regex_constants::match_continuous)) return std::nullopt;
        RuleKey k{m[1], m[3], m[4]};
        if (!keyTakes(k.key, k.op)) return std::nullopt;
        keys.push_back(k);
        if (m[5].length() == 0) return keys;  // the line ended after this pair, not after a comma
    }
}

std::string hex4(std::uint16_t v, const char* format) {
    char text[5];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

std::string sourceFile(const char* name) {
    return testing::fileText(std::filesystem::path(VARNEL_SOURCE_DIR) / "packaging" / name);
}

TEST(UdevRule, TheOneRuleTagsTheMouseHidrawNodesForTheSeatUser) {
    std::istringstream rules(sourceFile("70-varnel-config.rules"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(rules, line);)
        if (line.find_first_not_of(" \t") != std::string::npos && line[line.find_first_not_of(" \t")] != '#')
            lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u);
    const auto keys = parseRuleLine(lines[0]);
    ASSERT_TRUE(keys) << lines[0];
    // sysfs spells the ids in lower-case hex, four digits.
    const std::vector<RuleKey> expected{
        {"SUBSYSTEM", "==", "hidraw"},
        {"KERNEL", "==", "hidraw*"},
        {"ATTRS{idVendor}", "==", hex4(kOurVendorId, "%04x")},
        {"ATTRS{idProduct}", "==", hex4(kOurProductId, "%04x")},
        {"TAG", "+=", "uaccess"},
    };
    EXPECT_EQ(*keys, expected);
}

TEST(UdevRule, LinesUdevWouldMisreadAreRefused) {
    const char* const misread[] = {
        R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=1209)",            // unquoted value
        R"(SUBSYSTEM="hidraw", TAG+="uaccess")",                   // assignment where a match was meant
        R"(SUBSYSTEM=="hidraw" ATTRS{idVendor}=="1209")",          // missing comma
        R"(SUBSYSTEM=="hidraw", MODE=="0666")",                    // comparing what can only be set
        R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="1209",)",        // trailing comma
        R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="1209", TAG+=)",  // empty assignment
    };
    for (const char* line : misread) EXPECT_FALSE(parseRuleLine(line)) << line;
}

// Where a package, `make install` (prefix /usr/local) or an administrator put the rule, the advice
// of a message about a mouse that may not be opened finds it; with none installed, the source tree's.
TEST(UdevRule, IsFoundWhereverItWasInstalled) {
    const std::filesystem::path name = "70-varnel-config.rules";
    const struct {
        const char* folder;  // under the root; nullptr: none installed
    } rows[] = {{"usr/lib/udev/rules.d"}, {"usr/local/lib/udev/rules.d"}, {"etc/udev/rules.d"}, {nullptr}};
    for (const auto& row : rows) {
        const std::filesystem::path root = testing::freshFolder("udev-root");
        std::filesystem::path expected = std::filesystem::path(VARNEL_SOURCE_DIR) / "packaging" / name;
        if (row.folder) {
            expected = root / row.folder / name;
            std::filesystem::create_directories(expected.parent_path());
            std::ofstream(expected) << "\n";
        }
        const auto found = findUdevRule(root);
        ASSERT_TRUE(found) << (row.folder ? row.folder : "none");
        EXPECT_EQ(found->path, expected);
        EXPECT_EQ(found->installed, row.folder != nullptr) << expected;
        std::filesystem::remove_all(root);
    }
}

// The rule, the package's post-install step and the software centres' hardware match name the ids
// the program opens.
TEST(PackagedFiles, NameTheMouseByTheProgramsIds) {
    const std::string vid = hex4(kOurVendorId, "%04x");
    const std::string pid = hex4(kOurProductId, "%04x");
    const struct {
        const char* file;
        std::string text;
    } rows[] = {
        {"postinst", "/idVendor\" 2>/dev/null)\" = " + vid},
        {"postinst", "/idProduct\" 2>/dev/null)\" = " + pid},
        {"app.metainfo.xml.in",
         "<modalias>usb:v" + hex4(kOurVendorId, "%04X") + "p" + hex4(kOurProductId, "%04X") + "d*</modalias>"},
    };
    for (const auto& row : rows) EXPECT_NE(sourceFile(row.file).find(row.text), std::string::npos) << row.file;
}

}  // namespace
}  // namespace varnel

// varnelctl show and set, run in-process on the virtual mouse.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "common/file_io.h"
#include "scratch_files.h"
#include "shell/window_model_fixture.h"
#include "tools/varnelctl/run.h"
#include "transfers/transfer_rig.h"
#include "wren_flash_map.h"

namespace varnel {
namespace {

namespace fs = std::filesystem;
using Changes = std::vector<std::pair<std::size_t, std::uint8_t>>;

struct Outcome {
    int exit = -1;
    std::string out, err;
    Bytes memory;
    std::vector<std::uint8_t> commands;
};

class VarnelctlSettings : public ::testing::Test {
protected:
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }

    Outcome run(std::vector<std::string> words) const {
        std::vector<std::string_view> args(words.begin(), words.end());
        auto options = ctl::parseCommandLine(args);
        if (!options) return {ctl::kExitUsage, {}, options.error().message, {}, {}};
        std::ostringstream out, err;
        ctl::VirtualWorld world;
        Outcome r{ctl::run(*options, out, err, &world), out.str(), err.str(), {}, {}};
        if (world.mouse) r.memory = world.mouse->memory(), r.commands = world.mouse->commandLog();
        return r;
    }
    Outcome on(const std::string& model, std::vector<std::string> words) const {
        words.insert(words.begin(), {"--virtual", model});
        return run(words);
    }
    static Changes changes(const Bytes& before, const Bytes& after) {
        Changes c;
        for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
            if (before[i] != after[i]) c.emplace_back(i, after[i]);
        return c;
    }
    static Bytes fileBytes(const std::string& file) { return readFileAtMost(file, 1 << 16).value().bytes; }
    static std::string readText(const std::string& file) {
        std::ifstream in(file);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path dir = testing::freshFolder("varnelctl-settings");
};

// A JSON reader strict enough to refuse what a JSON parser refuses in our output; objects are
// flattened to "a.b" paths (array items by index), scalars kept as their text.
class Json {
public:
    static std::optional<std::map<std::string, std::string>> parse(const std::string& text) {
        Json j{text};
        if (!j.value("") || (j.skip(), j.at_ != text.size())) return std::nullopt;
        return j.flat_;
    }

private:
    explicit Json(const std::string& t) : t_(t) {}
    void skip() {
        while (at_ < t_.size() && std::isspace(static_cast<unsigned char>(t_[at_]))) ++at_;
    }
    bool eat(char c) { return skip(), at_ < t_.size() && t_[at_] == c ? (++at_, true) : false; }
    std::optional<std::string> string() {
        if (!eat('"')) return std::nullopt;
        std::string s;
        while (at_ < t_.size() && t_[at_] != '"') {
            if (t_[at_] == '\\') ++at_;
            if (static_cast<unsigned char>(t_[at_]) < 0x20) return std::nullopt;
            s += t_[at_++];
        }
        return eat('"') ? std::optional(s) : std::nullopt;
    }
    bool value(const std::string& path) {
        const std::string prefix = path.empty() ? "" : path + ".";
        if (eat('{')) {
            if (eat('}')) return true;
            do {
                auto key = string();
                if (!key || !eat(':') || !value(prefix + *key)) return false;
            } while (eat(','));
            return eat('}');
        }
        if (eat('[')) {
            int i = 0;
            if (eat(']')) return true;
            do {
                if (!value(prefix + std::to_string(i++))) return false;
            } while (eat(','));
            return eat(']');
        }
        if (skip(), at_ < t_.size() && t_[at_] == '"') {
            auto s = string();
            return s && flat_.emplace(path, *s).second;
        }
        const std::size_t from = at_;
        while (at_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[at_]))) ++at_;
        return at_ > from && flat_.emplace(path, t_.substr(from, at_ - from)).second;
    }
    const std::string& t_;
    std::size_t at_ = 0;
    std::map<std::string, std::string> flat_;
};

TEST_F(VarnelctlSettings, ShowPrintsTheDefaultImageAndSetOfWhatItPrintedChangesNothing) {
    const Outcome text = on("wren-rgb-a3050", {"show"});
    ASSERT_EQ(text.exit, 0) << text.err;
    for (const char* line : {"variant: Wren\n", "\ndpi.4 = 4000\n", "\ndpi.2.color = 00ff00\n", "\nrate = 1000\n",
                             "\nfirekey = 2/60\n", "\nbutton.main.4 = Fire Key\n", "\nbutton.reset.9 = LED Mode\n",
                             "\nlighting.mode = cpicolor\n", "\nmacro.32 = \"Macro32\", 0 bytes, 0 events\n"})
        EXPECT_NE(text.out.find(line), std::string::npos) << line;
    EXPECT_NE(on("wren-rgb-a3050", {"--lang", "es", "show"}).out.find("button.main.4 = Disparo rápido\n"),
              std::string::npos);
    // The default image's codes are no steps of the 3330's table.
    EXPECT_NE(on("wren-rgb-3330", {"show"}).out.find("\ndpi.1 = not-a-step\n"), std::string::npos);

    const Outcome json = on("wren-rgb-a3050", {"show", "--json"});
    const auto doc = Json::parse(json.out);
    ASSERT_TRUE(doc) << json.out;
    EXPECT_EQ(doc->at("schema"), "1");
    EXPECT_EQ(doc->at("settings.button.main.4"), "fire");
    EXPECT_EQ(doc->at("macros.31.name"), "Macro32");
    std::vector<std::string> set{"set"};
    for (const auto& [key, value] : *doc)
        if (key.starts_with("settings.")) set.push_back(key.substr(9) + "=" + value);
    EXPECT_EQ(set.size(), 1u + 45);
    const Outcome again = on("wren-rgb-a3050", set);
    EXPECT_EQ(again.exit, 0) << again.err;
    EXPECT_EQ(changes(json.memory, again.memory), Changes{});
}

TEST_F(VarnelctlSettings, EachFamilyWritesItsBytesAndShowReadsThemBack) {
    constexpr std::size_t P = kFlashParameterBlock, X = kFlashExtraBytes;
    const struct {
        const char* model;
        std::vector<std::string> set;
        const char* shown;
        Changes bytes;
    } cases[] = {
        {"wren-rgb-a3050", {"dpi.2=1250", "dpi.4=off", "dpi.current=3"}, "dpi.2 = 1250\ndpi.3 = 2000\ndpi.4 = off\ndpi.current = 3\n",
         {{P + 7, 0x05}, {P + 9, 0xff}, {P + 10, 0x03}, {P + 0x25, 0x1b}, {P + 0x26, 0x02}, {P + 0x2a, 0x5d},
          {X, 0x02}, {X + 4, 0x5d}}},
        {"wren-rgb-a3050", {"dpi.1.color=ff6619"}, "dpi.1.color = ff6619\n", {{P + 0x16, 40}, {P + 0x17, 10}, {P + 0x25, 0x2c}}},
        {"lark-color-a5050", {"rate=1000"}, "rate = 1000\n", {{0x27, 0x01}, {0x2a, 0x59}}},
        {"wren-rgb-a3050", {"firekey=3/100"}, "firekey = 3/100\n",
         {{P + 0x3e, 6}, {P + 0x40, 200}, {P + 0x7a, 6}, {P + 0x7c, 200}, {P + 0xa6, 6}, {P + 0xa8, 200}, {P + 0xb5, 0x04}}},
        {"wren-rgb-a3050", {"button.main.9=ctrl+shift+a", "button.main.5=macro.3", "button.main.1=right"},
         "button.main.1 = Right Key\nbutton.main.2 = Left Key\n",
         {{P + 0x32, 0x02}, {P + 0x36, 0x01}, {P + 0x41, 0x10}, {P + 0x42, 0x88}, {P + 0x43, 0x00}, {P + 0x51, 0x02},
          {P + 0x52, 0x03}, {P + 0x53, 0x04}, {P + 0xb5, 0xb7}}},
        // The alternate map opens once the main map has the switch key, whatever the order given.
        {"wren-rgb-a3050", {"button.alternate.4=www-home", "button.main.7=switch"},
         "button.alternate.4 = WWW Home\n",
         {{P + 0x49, 0x07}, {P + 0x4a, 0x00}, {P + 0x69, 0x03}, {P + 0x6a, 0x02}, {P + 0x6b, 0x23}, {P + 0x75, 0x07},
          {P + 0x76, 0x00}, {P + 0x77, 0x00}, {P + 0xa1, 0x07}, {P + 0xa2, 0x00}, {P + 0xa3, 0x00}, {P + 0xb5, 0x2b}}},
        {"wren-rgb-a3050", {"lighting.mode=locked", "lighting.source=mouse", "lighting.on=7"},
         "lighting.mode = locked\nlighting.source = mouse\nlighting.off = 1\nlighting.rise = 3\nlighting.on = 7\n",
         {{P + 0x0b, 0x60}, {P + 0x13, 150}, {P + 0x25, 0x40}, {P + 0x29, 0x03}, {P + 0x2a, 0x5e}, {X + 3, 0x03}, {X + 4, 0x5e}}},
        {"wren-rgb-a3050", {"lighting.mode=locked", "lighting.color=336699"}, "lighting.color = 336699\n",
         {{P + 0x0e, 20}, {P + 0x0f, 40}, {P + 0x10, 60}, {P + 0x25, 0xca}, {P + 0x29, 0x03}, {P + 0x2a, 0x5e},
          {X + 3, 0x03}, {X + 4, 0x5e}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set[0]);
        const Outcome before = on(c.model, {"show"});
        std::vector<std::string> words{"--virtual-save", path("after.bin"), "set"};
        words.insert(words.end(), c.set.begin(), c.set.end());
        const Outcome set = on(c.model, words);
        ASSERT_EQ(set.exit, 0) << set.err;
        EXPECT_EQ(changes(before.memory, set.memory), c.bytes);
        const Outcome shown = on(c.model, {"--virtual-load", path("after.bin"), "show"});
        EXPECT_NE(shown.out.find(c.shown), std::string::npos) << shown.out;
    }
}

TEST_F(VarnelctlSettings, SetSendsWhatTheWindowsApplySendsAfterTheSameEdit) {
    testing::TransferRig rig("wren-rgb-a3050");
    testing::StartedWindowModel window;
    testing::startWindowModel(rig.state, window);
    ASSERT_TRUE(rig.plugIn().found);
    MainWindowModel& w = *window.model;
    w.RefreshUI();
    w.mouseIdentified();
    w.appearance().setChannelsOpen(true);
    w.showReadMouse();
    w.advanced().ReportRate_OnClick(2);
    w.advanced().DPIVlaue_OnClick(2, 5);
    w.lighting().RGBMode_OnClick(LightingMode::Locked);
    w.buttonMaps().showButtonMenu(9);
    w.buttonMaps().KeyStatusOnClick(1300);
    w.UIToDataBuf();
    ASSERT_TRUE(rig.model.Apply().ok());

    const Outcome set = on("wren-rgb-a3050", {"--trace", path("trace"), "set", "rate=500", "dpi.2=1250",
                                              "lighting.mode=locked", "button.main.9=play-pause"});
    ASSERT_EQ(set.exit, 0) << set.err;
    std::vector<std::string> trace;
    std::istringstream lines(readText(path("trace")));
    for (std::string l; std::getline(lines, l);) trace.push_back(l);
    ASSERT_GT(trace.size(), rig.rig.trace.size());
    EXPECT_EQ(std::vector<std::string>(trace.end() - static_cast<std::ptrdiff_t>(rig.rig.trace.size()), trace.end()),
              rig.rig.trace);
}

TEST_F(VarnelctlSettings, RefusedSettingsSayWhyAndSendNothing) {
    const struct {
        const char* model;
        std::vector<std::string> set;
        const char* why;
    } cases[] = {
        {"wren-rgb-a3050", {"dpi.5=800"}, "unknown setting 'dpi.5'"},
        {"wren-rgb-a3050", {"rate=500", "button.main.4=teleport"}, "no function, macro or key is named 'teleport'"},
        {"wren-rgb-a3050", {"dpi.1=800"}, "'800' is not a DPI step of the A3050 sensor"},
        {"wren-rgb-a3050", {"dpi.2=off"}, "the stages switched on are stage 1 and the ones right above it"},
        {"wren-rgb-a3050", {"dpi.4=off", "dpi.current=4"}, "stage 4 is switched off"},
        {"wren-rgb-a3050", {"lighting.color=12345g"}, "six hexadecimal digits"},
        {"wren-rgb-a3050", {"firekey=16/100"}, "correct the fire-key repeat '16' to 15"},
        {"wren-rgb-a3050", {"firekey=1/100"}, "correct the fire-key repeat '1' to 2"},
        {"wren-rgb-a3050", {"firekey=3/2001"}, "correct the fire-key delay '2001' to 2000"},
        {"wren-rgb-a3050", {"button.main.2=desktop"}, "buttons 1 to 3 take left, right or middle only"},
        {"wren-rgb-a3050", {"button.reset.4=left"}, "the reset map is shown, not edited"},
        {"wren-rgb-a3050", {"lighting.source=mouse"}, "chosen in the locked mode only"},
        {"lark-rgb-6520", {"lighting.source=program"}, "lighting.source: needs a Wren mouse"},
        {"lark-color-a5050", {"button.main.5=macro.1"}, "macros need a Wren mouse"},
        {"lark-color-a5050", {"dpi.1.color=ff0000"}, "needs a mouse with RGB lighting"},
        {"wren-rgb-a3050", {"dpi.4=off", "dpi.4=800"}, "dpi.4 is given twice"},
        {"wren-rgb-a3050", {"button.main.1=right", "button.main.2=right"},
         "button.main.1=right: another setting of this call changes it"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set.back());
        const Outcome read = on(c.model, {"show"});
        std::vector<std::string> words{"set"};
        words.insert(words.end(), c.set.begin(), c.set.end());
        const Outcome set = on(c.model, words);
        EXPECT_EQ(set.exit, ctl::kExitUsage);
        EXPECT_NE(set.err.find(c.why), std::string::npos) << set.err;
        EXPECT_EQ(set.memory, read.memory);
        EXPECT_EQ(set.commands.size(), std::string_view(c.why).starts_with("unknown") ? 0u : read.commands.size());
    }
}

TEST_F(VarnelctlSettings, ProfileFilesAreEditedWithoutAMouse) {
    ASSERT_EQ(on("wren-rgb-a3050", {"backup", path("p.bin")}).exit, 0);
    const Bytes before = fileBytes(path("p.bin"));
    const std::vector<std::string> file{"--file", path("p.bin"), "--model", "wren-rgb-a3050"};
    auto with = [&](std::vector<std::string> words) {
        words.insert(words.end(), file.begin(), file.end());
        return run(words);
    };
    const Outcome dry = with({"set", "rate=500", "--dry-run"});
    EXPECT_EQ(dry.out, "parameter byte 39: 01 -> 02\nparameter byte 42: 5f -> 5c\n");
    EXPECT_EQ(fileBytes(path("p.bin")), before);
    ASSERT_EQ(with({"set", "rate=500"}).exit, 0);
    EXPECT_EQ(changes(before, fileBytes(path("p.bin"))), (Changes{{39, 0x02}, {42, 0x5c}}));
    EXPECT_NE(with({"show"}).out.find("\nrate = 500\n"), std::string::npos);
    const Outcome lark = run({"show", "--file", path("p.bin"), "--model", "lark-color-a5050"});
    EXPECT_EQ(lark.exit, ctl::kExitBadFile);
    EXPECT_NE(lark.err.find("the profile is for a Wren"), std::string::npos) << lark.err;
}

}  // namespace
}  // namespace varnel

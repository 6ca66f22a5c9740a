// The embedded skin data as a whole: every named picture is there and decodes, the pictures fit
// the layout file and the window's see-through outline, and the three language files carry the
// same keys, the shared texts and the English wording the window relies on.
#include <png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/resources.h"
#include "skin/ini_file.h"
#include "skin/language.h"
#include "skin/skin_tables.h"

namespace varnel {
namespace {

// ---- Pictures -----------------------------------------------------------------------------------

struct Rgba {
    std::uint8_t r, g, b, a;
    bool isKey() const { return r == 128 && g == 0 && b == 0 && a == 255; }
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgba> pixels;
    const Rgba& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Decoded with libpng itself, independent of the program's own decoder.
bool decode(const std::string& name, Picture& out) {
    auto bytes = findResource(name);
    if (!bytes.ok()) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) return false;
    image.format = PNG_FORMAT_RGBA;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

const Picture& picture(const std::string& name) {
    static std::map<std::string, Picture> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        Picture p;
        if (!decode(name, p)) p = Picture{};
        it = cache.emplace(name, std::move(p)).first;
    }
    return it->second;
}

// Every picture the window loads by name, family by family (members of a family are swapped
// into the same control, so they must share one size).
const std::vector<std::vector<std::string>>& pictureFamilies() {
    static const std::vector<std::vector<std::string>> families = {
        {"L1_BackGround", "L2_BackGround", "L3_BackGround"},
        {"L1_Back1", "L2_Back1", "L3_Back1"},
        {"L1_Back2", "L2_Back2", "L3_Back2"},
        {"L1_Back3", "L2_Back3", "L3_Back3"},
        {"L1_Back4", "L2_Back4", "L3_Back4"},
        {"Update"},
        {"BtnS_01", "BtnS_02", "BtnS_03"},
        {"SetS_01", "SetS_02", "SetS_03"},
        {"KeyS_01", "KeyS_02"},
        {"WebS_01", "WebS_02", "WebS_03"},
        {"MacroS_01", "MacroS_02", "MacroS_03"},
        {"MacroBtnS_01", "MacroBtnS_02", "MacroBtnS_03"},
        {"InsertDelayBase", "InsertKeyBase"},
        {"Bar1_E", "Bar1_D", "Bar1_N"},
        {"Bar2_E", "Bar2_D"},
        {"CbS_E", "CbS_D", "RdS_E", "RdS_D"},
        {"Col_F"},
        // Ours: the two dialogs' backgrounds, their buttons' hover picture, the event list's icons.
        {"AssemblyBase", "MacroNameBase"},
        {"DlgBtnS_02"},
        {"MacroEvent_0", "MacroEvent_1", "MacroEvent_2"},
    };
    return families;
}

// Pictures that give a window its shape: the only ones that may carry the see-through colour.
const std::vector<std::string> kWindowShapes = {"L1_BackGround", "L2_BackGround", "L3_BackGround", "AssemblyBase",
                                                "MacroNameBase"};

bool isBackground(const std::string& name) {
    return std::find(kWindowShapes.begin(), kWindowShapes.end(), name) != kWindowShapes.end();
}

TEST(SkinPictures, EveryNamedPictureDecodesAndFamiliesShareOneSize) {
    for (const auto& family : pictureFamilies()) {
        const Picture& first = picture(family.front());
        for (const std::string& name : family) {
            SCOPED_TRACE(name);
            const Picture& p = picture(name);
            ASSERT_GT(p.width, 0) << "missing or not a PNG";
            EXPECT_EQ(p.width, first.width);
            EXPECT_EQ(p.height, first.height);
        }
    }
}

// The high-resolution set: every picture twice the size, and a window's outline exactly its
// single-size outline doubled, since the window's mask is cut in logical pixels.
TEST(SkinPictures, EveryPictureHasADoubleWhoseOutlineIsTheMaskDoubled) {
    for (const auto& family : pictureFamilies()) {
        for (const std::string& name : family) {
            SCOPED_TRACE(name);
            const Picture& one = picture(name);
            const Picture& two = picture(name + "@2x");
            ASSERT_EQ(two.width, 2 * one.width) << "missing or of another size";
            ASSERT_EQ(two.height, 2 * one.height);
            if (!isBackground(name)) continue;
            for (int y = 0; y < two.height; ++y) {
                for (int x = 0; x < two.width; ++x)
                    ASSERT_EQ(two.at(x, y).isKey(), one.at(x / 2, y / 2).isKey()) << x << "," << y;
            }
        }
    }
}

TEST(SkinPictures, SizesTheLayoutArithmeticDependsOn) {
    struct Row {
        const char* name;
        int width;   // 0: not fixed
        int height;  // 0: not fixed
    };
    const Row rows[] = {
        {"L1_BackGround", 800, 600},
        {"MacroNameBase", 354, 179},  // the rename dialog's size
        {"SetS_01", 110, 0},          // the page buttons are 110 apart in the first row
        {"Bar2_E", 0, 6},             // 17 DPI steps stack from y 322 up to 226
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const Picture& p = picture(r.name);
        if (r.width != 0) {
            EXPECT_EQ(p.width, r.width);
        }
        if (r.height != 0) {
            EXPECT_EQ(p.height, r.height);
        }
    }
}

TEST(SkinPictures, BackgroundOutlineIsCrispAndOpaque) {
    for (const std::string& name : kWindowShapes) {
        SCOPED_TRACE(name);
        const Picture& p = picture(name);
        ASSERT_GT(p.width, 0);
        std::size_t keyPixels = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const Rgba& c = p.at(x, y);
                ASSERT_EQ(c.a, 255) << x << "," << y;
                if (c.isKey()) {
                    ++keyPixels;
                    continue;
                }
                // A pixel touching the see-through area must be plain rim, not a blend that
                // leans towards the key colour (antialiasing would leave a red fringe).
                const bool touchesKey =
                    (x > 0 && p.at(x - 1, y).isKey()) || (x + 1 < p.width && p.at(x + 1, y).isKey()) ||
                    (y > 0 && p.at(x, y - 1).isKey()) || (y + 1 < p.height && p.at(x, y + 1).isKey());
                if (touchesKey) {
                    const int hi = std::max({c.r, c.g, c.b});
                    const int lo = std::min({c.r, c.g, c.b});
                    ASSERT_LE(hi - lo, 24) << "tinted edge pixel at " << x << "," << y;
                }
            }
        }
        // The corners are see-through, most of the window is not.
        EXPECT_TRUE(p.at(0, 0).isKey());
        EXPECT_TRUE(p.at(p.width - 1, p.height - 1).isKey());
        EXPECT_GT(keyPixels, 0u);
        EXPECT_LT(keyPixels, p.pixels.size() / 10u);
    }
}

TEST(SkinPictures, OnlyBackgroundsCarryTheKeyColour) {
    for (const auto& family : pictureFamilies()) {
        for (const std::string& name : family) {
            if (isBackground(name)) continue;
            const Picture& p = picture(name);
            const auto hole = std::find_if(p.pixels.begin(), p.pixels.end(), [](const Rgba& c) { return c.isKey(); });
            EXPECT_TRUE(hole == p.pixels.end()) << name << " has a key-coloured pixel that would be see-through";
        }
    }
}

// ---- Pictures against the layout file -----------------------------------------------------------

struct Rect {
    int x, y, w, h;
    bool intersects(const Rect& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
    bool contains(const Rect& o) const { return o.x >= x && o.y >= y && o.x + o.w <= x + w && o.y + o.h <= y + h; }
};

class Layout {
public:
    static Layout load(const std::string& resource) {
        Layout l;
        auto bytes = findResource(resource);
        if (!bytes.ok()) return l;
        const std::string text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
        const IniDocument doc = IniDocument::parse(text);
        if (const IniSection* org = doc.section("org")) {
            for (const auto& [key, value] : org->entries()) l.values_[key] = value;
        }
        return l;
    }
    bool has(const std::string& key) const { return values_.count(key) != 0; }
    int num(const std::string& key) const {
        auto it = values_.find(key);
        if (it == values_.end()) return -100000;
        return parseIniInt(it->second).value_or(-100000);
    }
    bool enabled(const std::string& id) const { return num(id + "_Enable") == 1; }
    Rect at(const std::string& prefix, const std::string& pic) const {
        const Picture& p = picture(pic);
        return {num(prefix + "_X"), num(prefix + "_Y"), p.width, p.height};
    }
    const std::map<std::string, std::string>& values() const { return values_; }

private:
    std::map<std::string, std::string> values_;
};

struct Placed {
    std::string what;
    std::string pic;
    Rect r;
    int page;  // 0: on every page (the button bar); 1..5: the page group it lives on
};

bool isPagePicture(const Placed& p) { return p.pic.find("_Back") != std::string::npos || p.pic == "Update"; }

// Every control with a picture of its own, placed as the embedded layout says. Hidden buttons
// are left out.
std::vector<Placed> placedPictures(const Layout& l) {
    std::vector<Placed> out;
    int page = 0;
    auto add = [&out, &page](std::string what, std::string pic, Rect r) {
        out.push_back({std::move(what), std::move(pic), r, page});
    };
    add("Web", "WebS_01", l.at("Web", "WebS_01"));
    for (int i = 1; i <= 4; ++i) {
        const std::string id = "Btn_A" + std::to_string(i);
        if (l.enabled(id)) add(id, "BtnS_01", l.at(id, "BtnS_01"));
    }
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
        const std::string id = "Btn_B" + std::to_string(i);
        if (l.enabled(id)) add(id, "SetS_01", l.at(id, "SetS_01"));
    }
    page = 1;
    for (int k = 1; k <= 9; ++k) {
        const std::string id = "Key" + std::to_string(k);
        if (l.enabled(id)) add(id, "KeyS_01", l.at(id, "KeyS_01"));
    }
    for (int s = 1; s <= 3; ++s) {
        for (page = 1; page <= 4; ++page) {
            const std::string pic = "L" + std::to_string(s) + "_Back" + std::to_string(page);
            add(pic, pic, l.at("P" + std::to_string(page), pic));
        }
    }
    page = 5;
    add("Update", "Update", l.at("P5", "Update"));
    add("Btn_LoadBin", "KeyS_01", l.at("Btn_LoadBin", "KeyS_01"));
    add("Btn_Program", "KeyS_01", l.at("Btn_Program", "KeyS_01"));
    page = 4;
    for (const char* b : {"BtnStart", "BtnDel", "BtnInsert", "BtnClear", "BtnSaveMacro", "BtnRename", "BtnExportOne",
                          "BtnExport", "BtnImportOne", "BtnImport"}) {
        add(b, "MacroS_01", l.at(b, "MacroS_01"));
    }
    add("Insert", "InsertKeyBase", l.at("Insert", "InsertKeyBase"));
    page = 2;
    for (const char* bar : {"Spd", "DbSpd", "ScrSpd", "OffTime", "RaiseTime", "OnTime", "FallTime"}) {
        if (bar == std::string("OffTime")) page = 3;
        Rect r = l.at(bar, "Bar1_E");
        r.w *= 10;
        add(bar, "Bar1_E", r);
    }
    page = 2;
    for (int d = 1; d <= 4; ++d) {
        const std::string k = "DPI" + std::to_string(d);
        Rect steps = l.at(k + "_Steps", "Bar2_E");
        steps.y -= 19 * steps.h;  // all 20 steps, stacked upward
        steps.h *= 20;
        add(k + "_Steps", "Bar2_E", steps);
        add(k + "_Check", "CbS_E", l.at(k + "_Check", "CbS_E"));
        add(k + "_Color", "Col_F", l.at(k + "_Color", "Col_F"));
    }
    add("Rep1", "RdS_E", l.at("Rep1", "RdS_E"));
    add("Rep2", "RdS_E", l.at("Rep2", "RdS_E"));
    page = 3;
    for (const char* o : {"LEDMode1", "LEDMode2", "LEDMode3", "LEDMode4", "LEDColorMode1", "LEDColorMode2"}) {
        add(o, "RdS_E", l.at(o, "RdS_E"));
    }
    add("LEDColor1", "Col_F", l.at("LEDColor1", "Col_F"));
    add("LEDColor2", "Col_F", l.at("LEDColor2", "Col_F"));
    return out;
}

TEST(SkinLayout, EveryPlacedPictureSitsOnTheOpaqueWindow) {
    const Layout l = Layout::load("org");
    const Picture& bg = picture("L1_BackGround");
    ASSERT_EQ(bg.width, 800);
    for (const Placed& c : placedPictures(l)) {
        SCOPED_TRACE(c.what);
        ASSERT_GT(c.r.w, 0);
        const Rect window{0, 0, 800, 600};
        ASSERT_TRUE(window.contains(c.r)) << c.r.x << "," << c.r.y;
        // Checked at the rectangle's corners and edge midpoints: enough to catch an outline or a
        // vent cutting through a control.
        for (int fx : {0, 1, 2}) {
            for (int fy : {0, 1, 2}) {
                const int x = c.r.x + (c.r.w - 1) * fx / 2;
                const int y = c.r.y + (c.r.h - 1) * fy / 2;
                EXPECT_FALSE(bg.at(x, y).isKey()) << "over a see-through pixel at " << x << "," << y;
            }
        }
    }
}

TEST(SkinLayout, ControlsSharingAPageDoNotOverlap) {
    const Layout l = Layout::load("org");
    const std::vector<Placed> all = placedPictures(l);
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size(); ++j) {
            const Placed& a = all[i];
            const Placed& b = all[j];
            const bool samePage = a.page == 0 || b.page == 0 || a.page == b.page;
            if (!samePage) continue;
            // Page pictures lie under their page's controls by design; the bar is checked below.
            if (isPagePicture(a) || isPagePicture(b)) continue;
            EXPECT_FALSE(a.r.intersects(b.r)) << a.what << " overlaps " << b.what;
        }
    }
}

TEST(SkinLayout, PagePicturesStayClearOfTheButtonBar) {
    const Layout l = Layout::load("org");
    const std::vector<Placed> all = placedPictures(l);
    for (const Placed& page : all) {
        if (!isPagePicture(page)) continue;
        for (const Placed& b : all) {
            if (b.page == 0) {
                EXPECT_FALSE(page.r.intersects(b.r)) << page.what << " runs under " << b.what;
            }
        }
    }
}

TEST(SkinLayout, InsertPanelContentsFitItsBasePicture) {
    const Layout l = Layout::load("org");
    const Rect base{0, 0, picture("InsertKeyBase").width, picture("InsertKeyBase").height};
    const struct {
        const char* key;
        const char* pic;
    } rows[] = {{"InsertBtnStart", "MacroS_01"}, {"InsertBtnOK", "MacroBtnS_01"}, {"InsertBtnCancel", "MacroBtnS_01"}};
    std::vector<Rect> placed;
    for (const auto& r : rows) {
        const Rect c = l.at(r.key, r.pic);
        EXPECT_TRUE(base.contains(c)) << r.key;
        placed.push_back(c);
    }
    EXPECT_FALSE(placed[1].intersects(placed[2])) << "OK and Cancel overlap";
}

TEST(SkinLayout, DisableOverlayCoversTheKeyLabelsAndSparesThePageButtons) {
    const Layout l = Layout::load("org");
    const Rect overlay{l.num("Disable_X"), l.num("Disable_Y"), l.num("Disable_W"), l.num("Disable_H")};
    for (const Placed& c : placedPictures(l)) {
        if (c.pic == "KeyS_01" && c.what.rfind("Key", 0) == 0) {
            EXPECT_TRUE(overlay.contains(c.r)) << c.what;
        }
        if (c.pic == "SetS_01" || c.pic == "WebS_01") {
            EXPECT_FALSE(overlay.intersects(c.r)) << c.what;
        }
    }
}

TEST(SkinLayout, OurLayoutKeepsTheSuppliedKeysAndValuesButTheDocumentedOnes) {
    const Layout ours = Layout::load("org");
    const std::string fixture = std::string(VARNEL_TEST_DATA_DIR) + "/skin/org_supplied.ini";
    std::FILE* f = std::fopen(fixture.c_str(), "rb");
    ASSERT_NE(f, nullptr) << fixture;
    std::string text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
    std::fclose(f);
    const IniDocument suppliedDoc = IniDocument::parse(text);
    const IniSection* supplied = suppliedDoc.section("org");
    ASSERT_NE(supplied, nullptr);

    // Breathing, Save and Load are switched on, which moves Macro and Update; the page button
    // pictures need no label insets; the overlay grows to cover Key4 and ends above the bar; the
    // colour-source rows share one line and their swatches clear the longest caption; Confirm,
    // Apply and Reset move left to make room for the minimise control (Btn_A5) by Exit.
    const std::set<std::string> changed = {
        "Btn_B5_Enable", "Btn_B11_X", "Btn_B12_Y",   "Btn_B6_Enable", "Btn_B6_X",  "Btn_B6_Y",  "Btn_B7_Enable",
        "Btn_B7_X",      "Btn_B7_Y",  "Btn_Space_F", "Btn_Space_B",   "Disable_H", "Disable_W", "Btn_A1_X",
        "Btn_A2_X",      "Btn_A3_X",  "LEDColor1_Y", "LEDColor2_Y",   "LEDColorMode2_Y"};
    const std::set<std::string> added = {"Btn_A5_Enable", "Btn_A5_X", "Btn_A5_Y"};
    std::set<std::string> suppliedKeys;
    for (const auto& [key, value] : supplied->entries()) {
        suppliedKeys.insert(key);
        ASSERT_TRUE(ours.has(key)) << key;
        if (changed.count(key) == 0) {
            EXPECT_EQ(ours.values().at(key), value) << key;
        }
    }
    for (const auto& [key, value] : ours.values())
        EXPECT_TRUE(suppliedKeys.count(key) || added.count(key)) << "unknown key " << key;
    for (const char* id : {"Btn_B5", "Btn_B6", "Btn_B7"}) EXPECT_TRUE(ours.enabled(id)) << id;
    EXPECT_FALSE(ours.enabled("Btn_B10"));
    EXPECT_EQ(ours.values().at("Web").rfind("https://", 0), 0u);
}

// ---- Language files ----------------------------------------------------------------------------

// The English texts as the window must show them, every text key.
const std::vector<std::pair<std::string, std::string>>& englishTexts() {
    static const std::vector<std::pair<std::string, std::string>> texts = {
        {"Str000", "Confirm"},
        {"Str001", "Apply"},
        {"Str002", "Reset"},
        {"Str003", "Exit"},
        {"Str004", "Main Control"},
        {"Str005", "Alternate Key"},
        {"Str006", "Reset Control"},
        {"Str007", "Advanced"},
        {"Str008", "Breathing Light"},
        {"Str009", "Save Profile"},
        {"Str010", "Load Profile"},
        {"Str011", "Spanish "},
        {"Str012", "English"},
        {"Str013", "Language3"},
        {"Str014", "Macro"},
        {"Str015", "Update"},
        {"Str020", "Please assign the KB Switch Key to a button on the Main Control page before opening this page"},
        {"Str021", "Please assign the KB Reset Key to a button on the Alternate Key page before opening this page"},
        {"Str022", "The specified device was not found."},
        {"Str100", "No Device Found"},
        {"Str101", "Please check that the mouse is plugged into a USB port."},
        {"Str102", "The file or the mouse is not of the expected type"},
        {"Str103", "The mouse's manufacturer or product id is not correct"},
        {"Str200", "*"},
        {"Str201", "Standard Mouse Key"},
        {"Str202", "Special Key"},
        {"Str203", "Media Fn"},
        {"Str204", "WWW Fn"},
        {"Str205", "User-defined"},
        {"Str206", "Macro"},
        {"Str210", "Left Key"},
        {"Str211", "Right Key"},
        {"Str212", "Middle Key"},
        {"Str213", "Backward"},
        {"Str214", "Forward"},
        {"Str230", "Fire Key"},
        {"Str241", "Desktop"},
        {"Str242", "KB Switch Key"},
        {"Str243", "CPI"},
        {"Str244", "Report Rate"},
        {"Str245", "KB Reset Key"},
        {"Str246", "LED Mode"},
        {"Str247", "CPI +"},
        {"Str248", "CPI -"},
        {"Str250", "Play/Pause"},
        {"Str251", "Stop"},
        {"Str252", "Previous Track"},
        {"Str253", "Next Track"},
        {"Str254", "Volume +"},
        {"Str255", "Volume -"},
        {"Str256", "Mute"},
        {"Str260", "WWW Home"},
        {"Str261", "WWW Search"},
        {"Str262", "WWW Back"},
        {"Str263", "WWW Forward"},
        {"Str264", "WWW Stop"},
        {"Str265", "WWW Refresh"},
        {"Str266", "WWW Favorites"},
        {"Str300", "500"},
        {"Str301", "750"},
        {"Str302", "1000"},
        {"Str303", "1250"},
        {"Str304", "1500"},
        {"Str305", "1750"},
        {"Str306", "2000"},
        {"Str307", "4000"},
        {"Str400", "Record"},
        {"Str401", "Stop"},
        {"Str402", "Rename"},
        {"Str403", "Clear"},
        {"Str404", "Export One"},
        {"Str405", "Export All"},
        {"Str406", "Import One"},
        {"Str407", "Import All"},
        {"Str408", "Delete"},
        {"Str409", "Insert"},
        {"Str431", "Save Macros"},
        {"Str410", "Insert Delay Before"},
        {"Str411", "Insert Delay After"},
        {"Str412", "Insert Key Before"},
        {"Str413", "Insert Key After"},
        {"Str414", "Record Delay"},
        {"Str415", "Default Delay"},
        {"Str416", "No Delay"},
        {"Str417", "Delay Time"},
        {"Str418", "s"},
        {"Str420", "OK"},
        {"Str421", "OK"},
        {"Str422", "Cancel"},
        {"Str430", "Clear this macro?"},
        {"Str440", "Load File"},
        {"Str441", "Update"},
        {"Str442", "Firmware File"},
        {"Str500", "Key Combination"},
        {"Str501", "Confirm"},
        {"Str502", "Clear"},
        {"Str510", "Macro Name"},
        {"Str511", "OK"},
        {"Str512", "Cancel"},
    };
    return texts;
}

// Keys whose texts the Spanish file deliberately shares.
const std::vector<std::set<std::string>>& sharedSpanishTexts() {
    static const std::vector<std::set<std::string>> groups = {
        {"Str213", "Str262"}, {"Str214", "Str263"}, {"Str251", "Str264", "Str401"}};
    return groups;
}

std::vector<std::pair<std::string, std::string>> entriesOf(int n) {
    auto bytes = findResource("LANG" + std::to_string(n));
    if (!bytes.ok()) return {};
    const std::string text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    const IniDocument doc = IniDocument::parse(text);
    const IniSection* s = doc.section("lang" + std::to_string(n));
    return s ? s->entries() : std::vector<std::pair<std::string, std::string>>{};
}

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 0x2) return false;
        }
        i += len;
    }
    return true;
}

TEST(SkinLanguages, TheThreeFilesCarryOneKeySetWithEveryTextKey) {
    std::vector<std::set<std::string>> keys(3);
    for (int n = 1; n <= 3; ++n) {
        for (const auto& [key, value] : entriesOf(n)) {
            EXPECT_TRUE(keys[static_cast<std::size_t>(n - 1)].insert(key).second) << "LANG" << n << " repeats " << key;
            EXPECT_TRUE(validUtf8(value)) << "LANG" << n << " " << key;
            EXPECT_FALSE(value.empty() && key != "Title") << "LANG" << n << " " << key;
        }
    }
    EXPECT_EQ(keys[0], keys[1]);
    EXPECT_EQ(keys[1], keys[2]);
    for (const auto& [key, text] : englishTexts()) EXPECT_TRUE(keys[0].count(key)) << key;
    for (const char* extra : {"Str104", "Str105", "Title", "Size_A", "Color_F_Font_G", "Size_I"}) {
        EXPECT_TRUE(keys[0].count(extra)) << extra;
    }
    EXPECT_EQ(englishTexts().size(), 99u);
}

TEST(SkinLanguages, EnglishIsVerbatimAndTheThirdFileCopiesIt) {
    const auto set = LanguageSet::loadEmbedded();
    ASSERT_TRUE(set.ok()) << set.error().message;
    for (const auto& [key, text] : englishTexts()) {
        EXPECT_EQ(set->language(2).text(key), text) << key;
        const std::string third = key == "Str011" ? "Language1" : key == "Str012" ? "Language2" : text;
        EXPECT_EQ(set->language(3).text(key), third) << key;
    }
}

// A filter that lost its pattern would show no files; Qt's dialogs take the locale's translations.
TEST(SkinLanguages, FileFiltersKeepTheirPatternAndEachLanguageNamesItsLocale) {
    const auto set = LanguageSet::loadEmbedded();
    ASSERT_TRUE(set.ok());
    const std::pair<int, std::string> locales[] = {{1, "es"}, {2, "en"}, {3, "en"}};
    for (const auto& [n, locale] : locales) {
        EXPECT_EQ(set->language(n).text(kLocaleKey), locale) << n;
        for (const auto key : {skin::kProfileFilterKey, skin::kFirmwareFilterKey, skin::kMacroFilterKey})
            EXPECT_TRUE(set->language(n).text(key).ends_with(" (*.bin)")) << "LANG" << n << " " << key;
    }
}

TEST(SkinLanguages, SizesAndColoursAreTheSameInEveryFile) {
    const std::map<std::string, std::string> expected = {
        {"Size_A", "9"},
        {"Size_B", "11"},
        {"Size_C", "11"},
        {"Size_D", "9"},
        {"Size_E", "9"},
        {"Size_F", "9"},
        {"Size_I", "11"},
        {"Color_D_Selected_R", "255"},
        {"Color_D_Selected_G", "0"},
        {"Color_D_Back_R", "113"},
        {"Color_D_Back_G", "111"},
        {"Color_D_Back_B", "100"},
        {"Color_F_Font_G", "128"},
        {"Color_F_Back_R", "0"},
    };
    for (int n = 1; n <= 3; ++n) {
        const auto entries = entriesOf(n);
        std::map<std::string, std::string> values(entries.begin(), entries.end());
        for (const auto& [key, value] : expected) EXPECT_EQ(values[key], value) << "LANG" << n << " " << key;
        for (const auto& [key, value] : values) {
            if (key.rfind("Size_", 0) == 0 || key.rfind("Color_", 0) == 0) {
                EXPECT_TRUE(parseIniInt(value).has_value()) << "LANG" << n << " " << key;
            }
        }
    }
}

TEST(SkinLanguages, SpanishSharesExactlyTheDocumentedTexts) {
    const auto set = LanguageSet::loadEmbedded();
    ASSERT_TRUE(set.ok());
    const LanguageFile& es = set->language(1);
    for (const auto& group : sharedSpanishTexts()) {
        const std::string text = es.text(*group.begin());
        for (const std::string& key : group) EXPECT_EQ(es.text(key), text) << key;
    }
    // No other two reverse-searched keys share a Spanish text unless they share the English one.
    std::map<std::string, std::string> firstKeyOf;
    for (const auto& [key, english] : englishTexts()) {
        const int number = std::stoi(key.substr(3));
        if (number < 100) continue;
        auto [it, fresh] = firstKeyOf.emplace(es.text(key), key);
        if (fresh) continue;
        const bool documented = std::any_of(sharedSpanishTexts().begin(), sharedSpanishTexts().end(),
                                            [&](const auto& g) { return g.count(key) && g.count(it->second); });
        EXPECT_TRUE(documented || set->language(2).text(it->second) == english)
            << key << " and " << it->second << " share \"" << es.text(key) << "\"";
    }
}

// A label showing any searchable text of any language is recognised as a key with the same
// English meaning; only the documented Spanish sharings resolve to a sibling key.
TEST(SkinLanguages, ReverseLookupOfEveryTextFindsAKeyOfTheSameMeaning) {
    const auto set = LanguageSet::loadEmbedded();
    ASSERT_TRUE(set.ok());
    const LanguageFile& en = set->language(2);
    std::vector<std::string> keys;
    for (const auto& [key, text] : englishTexts()) {
        if (std::stoi(key.substr(3)) >= 100) keys.push_back(key);
    }
    keys.insert(keys.end(), {"Str104", "Str105"});
    for (int n = 1; n <= 3; ++n) {
        for (const std::string& key : keys) {
            const std::string found = set->findTextKey(set->language(n).text(key));
            ASSERT_FALSE(found.empty()) << "LANG" << n << " " << key;
            if (en.text(found) == en.text(key)) continue;
            const bool documented =
                n == 1 && std::any_of(sharedSpanishTexts().begin(), sharedSpanishTexts().end(),
                                      [&](const auto& g) { return g.count(key) && g.count(found); });
            EXPECT_TRUE(documented) << "LANG" << n << " " << key << " resolves to " << found;
        }
    }
}

}  // namespace
}  // namespace varnel

#include "editors/key_combination.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace varnel {
namespace {

constexpr int kVkA = 0x41;
constexpr int kVkB = 0x42;
constexpr int kVkC = 0x43;

// One user action in the dialog.
struct Press {
    int vk;
    HeldModifiers held{};
};
struct Box {
    Modifier m;
    bool checked;
};
struct Clear {};
using Step = std::variant<Press, Box, Clear>;

void run(KeyCombination& dialog, const std::vector<Step>& steps) {
    for (const auto& s : steps) {
        if (const auto* p = std::get_if<Press>(&s)) dialog.keyDown(p->vk, p->held);
        if (const auto* b = std::get_if<Box>(&s)) dialog.setModifier(b->m, b->checked);
        if (std::holds_alternative<Clear>(s)) dialog.clear();
    }
}

TEST(KeyCombination, ComposedCombinationsAndTheirCodes) {
    struct Row {
        const char* name;
        std::vector<Step> steps;
        const char* text;
        const char* code;
    };
    const HeldModifiers ctrlHeld{false, true, false};
    const Row rows[] = {
        {"modifiers then a key",
         {Box{Modifier::Ctrl, true}, Box{Modifier::Shift, true}, Press{kVkA}},
         "Ctrl+Shift+A",
         "02030400"},
        {"two keys", {Press{kVkA}, Press{kVkB}}, "A+B", "02000405"},
        {"a third key starts a new run",
         {Box{Modifier::Alt, true}, Press{kVkA}, Press{kVkB}, Press{kVkC}},
         "Alt+C",
         "02040600"},
        {"key with a held modifier", {Press{kVkA, ctrlHeld}}, "", "02000000"},
        {"left Windows key", {Press{0x5B}}, "", "02000000"},
        {"right Windows key after a key", {Press{kVkA}, Press{0x5C}}, "A", "02000400"},
        {"modifier keys never become keys", {Press{0x10}, Press{0xA3}, Press{0x12}}, "", "02000000"},
        {"swallowed key still ends a full run", {Press{kVkA}, Press{kVkB}, Press{0x5B}}, "", "02000000"},
        {"nothing at all", {}, "", "02000000"},
        {"clear, then a key", {Press{kVkA}, Press{kVkB}, Clear{}, Press{kVkC}}, "C", "02000600"},
        {"clear unchecks the boxes", {Box{Modifier::Win, true}, Clear{}, Press{kVkA}}, "A", "02000400"},
        {"unchecking Shift",
         {Box{Modifier::Ctrl, true}, Box{Modifier::Shift, true}, Press{kVkA}, Box{Modifier::Shift, false}},
         "Ctrl+A",
         "02010400"},
        {"unchecking the first modifier",
         {Box{Modifier::Ctrl, true}, Box{Modifier::Alt, true}, Press{kVkA}, Box{Modifier::Ctrl, false}},
         "Alt+A",
         "02040400"},
        {"unchecking the only text", {Box{Modifier::Win, true}, Box{Modifier::Win, false}}, "", "02000000"},
        {"checking after the keys keeps the order",
         {Press{kVkA}, Box{Modifier::Win, true}, Box{Modifier::Ctrl, true}},
         "Ctrl+Win+A",
         "02090400"},
        {"Win+D", {Box{Modifier::Win, true}, Press{0x44}}, "Win+D", "02080700"},
        {"named keys", {Press{0x0D}, Press{0x25}}, "Enter+Left Arrow", "02002850"},
        {"unknown key", {Press{0x07}}, "None", "02000000"},
        {"key without a code", {Press{0xDF}, Press{kVkA}}, "OEM_8+A", "02000004"},
    };
    for (const auto& r : rows) {
        PendingAssembly pending{"old", "01010000", true};
        KeyCombination dialog(pending);
        EXPECT_EQ(pending, PendingAssembly{}) << r.name;  // opening clears the main window's result
        run(dialog, r.steps);
        EXPECT_EQ(dialog.editText(), r.text) << r.name;
        dialog.confirm();
        EXPECT_EQ(pending, (PendingAssembly{r.text, r.code, true})) << r.name;
    }
}

TEST(KeyCombination, ClearEmptiesThePendingResultAndKeepsTheDialog) {
    PendingAssembly pending;
    KeyCombination dialog(pending);
    run(dialog, {Box{Modifier::Ctrl, true}, Press{kVkA}});
    dialog.confirm();
    ASSERT_TRUE(pending.confirmed);
    dialog.clear();
    EXPECT_EQ(pending, PendingAssembly{});
    EXPECT_EQ(dialog.keyCount(), 0);
    EXPECT_EQ(dialog.resultCode(), "");
    for (Modifier m : kModifiers) EXPECT_FALSE(dialog.modifierChecked(m));
    EXPECT_TRUE(dialog.keyDown(kVkB, {}));
    EXPECT_EQ(dialog.editText(), "B");
}

}  // namespace
}  // namespace varnel

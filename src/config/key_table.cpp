#include "config/key_table.h"

#include <optional>
#include <string_view>

namespace varnel {

namespace {

// Keys whose virtual-key codes and key codes both run in steps of one.
struct KeyRange {
    int vkFirst;
    int vkLast;
    std::uint8_t usageFirst;
    std::string_view prefix;  // name = prefix + item + suffix
    int firstNumber;          // item number of vkFirst; -1 = the letter 'A'
    std::string_view suffix;
};

constexpr KeyRange kRanges[] = {
    {0x41, 0x5A, 0x04, "", -1, ""},
    {0x31, 0x39, 0x1E, "", 1, ""},
    {0x30, 0x30, 0x27, "", 0, ""},
    {0x70, 0x7B, 0x3A, "F", 1, ""},
    {0x7C, 0x87, 0x68, "F", 13, ""},
    {0x61, 0x69, 0x59, "", 1, " (numeric pad)"},
    {0x60, 0x60, 0x62, "", 0, " (numeric pad)"},
};

// The remaining keys. usageName nullptr = same as keyName.
struct KeyRow {
    int vk;
    std::string_view keyName;
    std::uint8_t usage;
    const char* usageName;
};

constexpr KeyRow kKeys[] = {
    {0x08, "Backspace", 0x2A, nullptr},
    {0x09, "Tab", 0x2B, nullptr},
    {0x0C, "Clear", 0x9C, nullptr},
    {0x0D, "Enter", 0x28, nullptr},
    {0x10, "Shift", 0xE1, "Left Shift"},
    {0x11, "Ctrl", 0xE0, "Left Ctrl"},
    {0x12, "Alt", 0xE2, "Left Alt"},
    {0x13, "Pause", 0x48, nullptr},
    {0x14, "Caps Lock", 0x39, nullptr},
    {0x1B, "Esc", 0x29, nullptr},
    {0x20, "Space bar", 0x2C, nullptr},
    {0x21, "Page Up", 0x4B, nullptr},
    {0x22, "Page Down", 0x4E, nullptr},
    {0x23, "End", 0x4D, nullptr},
    {0x24, "Home", 0x4A, nullptr},
    {0x25, "Left Arrow", 0x50, nullptr},
    {0x26, "Up Arrow", 0x52, nullptr},
    {0x27, "Right Arrow", 0x4F, nullptr},
    {0x28, "Down Arrow", 0x51, nullptr},
    {0x29, "Select", 0x77, nullptr},
    {0x2C, "Print Screen", 0x46, nullptr},
    {0x2D, "Insert", 0x49, nullptr},
    {0x2E, "Delete", 0x4C, nullptr},
    {0x2F, "Help", 0x75, nullptr},
    {0x5B, "Left Windows", 0xE3, "Win"},
    {0x5C, "Right Windows", 0xE7, "Win"},
    {0x5D, "Applications", 0x65, nullptr},
    {0x6A, "Multiply (numeric pad)", 0x55, nullptr},
    {0x6B, "Add (numeric pad)", 0x57, nullptr},
    {0x6C, "Separator (numeric pad)", 0x58, nullptr},
    {0x6D, "Subtract (numeric pad)", 0x56, nullptr},
    {0x6E, "Decimal (numeric pad)", 0x63, nullptr},
    {0x6F, "Divide (numeric pad)", 0x54, nullptr},
    {0x90, "Num Lock", 0x53, nullptr},
    {0x91, "Scroll Lock", 0x47, nullptr},
    {0xA0, "Left Shift", 0xE1, nullptr},
    {0xA1, "Right Shift", 0xE5, nullptr},
    {0xA2, "Left Ctrl", 0xE0, nullptr},
    {0xA3, "Right Ctrl", 0xE4, nullptr},
    {0xA4, "Left Alt", 0xE2, nullptr},
    {0xA5, "Right Alt", 0xE6, nullptr},
    {0xA6, "Browser_Back", 0xCA, nullptr},
    {0xA7, "Browser_Forward", 0xCB, nullptr},
    {0xA8, "Browser_Refresh", 0xCD, nullptr},
    {0xA9, "Browser_Stop", 0xCC, nullptr},
    {0xAA, "Browser_Search", 0xC8, nullptr},
    {0xAB, "Browser_Favorites", 0xCE, nullptr},
    {0xAC, "Browser_Home", 0xC9, nullptr},
    {0xAD, "Volume_Mute", 0xC4, nullptr},
    {0xAE, "Volume_Down", 0xC6, nullptr},
    {0xAF, "Volume_Up", 0xC5, nullptr},
    {0xB0, "Media_Next_Track", 0xC0, nullptr},
    {0xB1, "Media_Prev_Track", 0xC1, nullptr},
    {0xB2, "Media_Stop", 0xC2, nullptr},
    {0xB3, "Media_Play_Pause", 0xC3, nullptr},
    {0xB4, "Launch_Mail", 0xC7, nullptr},
    {0xB5, "Launch_Media_Select", 0xD1, nullptr},
    {0xB6, "Launch_App1", 0, ""},
    {0xB7, "Launch_App2", 0, ""},
    {0xBA, "OEM_1", 0x33, nullptr},
    {0xBB, "OEM_Plus", 0x2E, nullptr},
    {0xBC, "OEM_Comma", 0x36, nullptr},
    {0xBD, "OEM_Minus", 0x2D, nullptr},
    {0xBE, "OEM_Period", 0x37, nullptr},
    {0xBF, "OEM_2", 0x38, nullptr},
    {0xC0, "OEM_3", 0x35, nullptr},
    {0xDB, "OEM_4", 0x2F, nullptr},
    {0xDC, "OEM_5", 0x31, nullptr},
    {0xDD, "OEM_6", 0x30, nullptr},
    {0xDE, "OEM_7", 0x34, nullptr},
    {0xDF, "OEM_8", 0, ""},
    {0xFF, "255", 0, ""},
};

// Names of the key enumeration that no virtual key reaches.
constexpr std::string_view kUnreachableNames[] = {"None", "Demo"};

std::string rangeName(const KeyRange& r, int offset) {
    const std::string item =
        r.firstNumber < 0 ? std::string(1, static_cast<char>('A' + offset)) : std::to_string(r.firstNumber + offset);
    return std::string(r.prefix) + item + std::string(r.suffix);
}

struct Found {
    std::string name;
    std::uint8_t usage;
};

std::optional<Found> lookupVk(int vk) {
    for (const auto& r : kRanges) {
        if (vk >= r.vkFirst && vk <= r.vkLast) {
            const int offset = vk - r.vkFirst;
            return Found{rangeName(r, offset), static_cast<std::uint8_t>(r.usageFirst + offset)};
        }
    }
    for (const auto& k : kKeys) {
        if (k.vk == vk) return Found{std::string(k.keyName), k.usage};
    }
    return std::nullopt;
}

}  // namespace

std::string KeyName(int vk) {
    auto f = lookupVk(vk);
    return f ? f->name : std::string("None");
}

std::uint8_t KeyUsage(int vk) {
    auto f = lookupVk(vk);
    return f ? f->usage : 0;
}

std::string UsageName(std::uint8_t usage) {
    if (usage == 0) return {};
    for (const auto& r : kRanges) {
        const int offset = usage - r.usageFirst;
        if (offset >= 0 && offset <= r.vkLast - r.vkFirst) return rangeName(r, offset);
    }
    for (const auto& k : kKeys) {
        if (k.usage == usage) return k.usageName ? std::string(k.usageName) : std::string(k.keyName);
    }
    return {};
}

std::vector<std::string> keyNameList() {
    std::vector<std::string> names(std::begin(kUnreachableNames), std::end(kUnreachableNames));
    for (const auto& r : kRanges) {
        for (int vk = r.vkFirst; vk <= r.vkLast; ++vk) names.push_back(rangeName(r, vk - r.vkFirst));
    }
    for (const auto& k : kKeys) names.emplace_back(k.keyName);
    return names;
}

}  // namespace varnel

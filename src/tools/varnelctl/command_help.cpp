#include "command_help.h"

#include <string>

#include "shell/settings_table.h"

namespace varnel::ctl {

#ifndef VARNEL_VERSION
#error "VARNEL_VERSION comes from the project's version in CMakeLists.txt"
#endif

const char* const kVersionText = "varnelctl " VARNEL_VERSION "\n";

namespace {

struct CommandHelp {
    std::string_view command;
    std::string_view text;
};

// Every command also takes the options of `varnelctl --help`.
constexpr CommandHelp kHelp[] = {
    {"list",
     "usage: varnelctl [options] list\n"
     "Lists every HID interface seen: path, vendor:product id, feature report length.\n"
     "Says so on standard error when there is none.\n"},
    {"info",
     "usage: varnelctl [options] info\n"
     "Opens and identifies the mouse; prints its variant, lighting kind, sensor and number of DPI steps.\n"},
    {"backup",
     "usage: varnelctl [options] backup FILE\n"
     "Reads the whole configuration of the mouse and saves it as a profile\n"
     "(Lark 154 bytes, Wren 33,984 bytes), as the window's Save Profile does.\n"},
    {"restore",
     "usage: varnelctl [options] restore FILE\n"
     "Reads the mouse, loads the profile FILE and applies it; its macros too where they differ\n"
     "from the mouse's. Writes are read back unless --no-verify is given.\n"},
    {"reset",
     "usage: varnelctl [options] reset\n"
     "Reads the mouse, then writes the default configuration (the window's Reset).\n"},
    {"flash",
     "usage: varnelctl [options] flash FILE\n"
     "(Wren) Programs the first 8192 bytes of FILE as firmware, waits for the mouse to restart and\n"
     "reads it again.\n"},
    {"export-macros",
     "usage: varnelctl [options] export-macros FILE\n"
     "(Wren) Saves all 32 macros with their names (33,792 bytes).\n"},
    {"import-macros",
     "usage: varnelctl [options] import-macros FILE\n"
     "(Wren) Loads all macros from FILE and writes them to the mouse (Save Macro).\n"},
    {"show",
     "usage: varnelctl [options] show [--json] [--lang es|en|3]\n"
     "       varnelctl show --file PROFILE --model VARIANT-LIGHTING-SENSOR [--json]\n"
     "Reads the mouse (or the profile) and prints every setting, then the 32 macros (name, bytes\n"
     "used, events). The text names button functions in words (--lang: in that language, English by\n"
     "default); --json prints every value in the form set takes, button functions by their ids\n"
     "(schema 1).\n"},
    {"set",
     "usage: varnelctl [options] set [--dry-run] SETTING=VALUE...\n"
     "       varnelctl set --file PROFILE --model VARIANT-LIGHTING-SENSOR SETTING=VALUE...\n"
     "Reads the mouse (or the profile), changes the settings with the window's rules, checked on\n"
     "the final state, and writes them as Apply does (or writes the profile back). A refused\n"
     "setting exits with 2 and nothing is written. --dry-run prints the bytes that would change.\n"
     "settings:\n"},
    {"macro",
     "usage: varnelctl [options] macro show N\n"
     "       varnelctl [options] macro set N FILE|-\n"
     "       varnelctl [options] macro rename N NAME\n"
     "(Wren) One macro, numbered 1 to 32, as text.\n"
     "  show N         print macro N's events on standard output, one a line\n"
     "  set N FILE|-   replace macro N with the events of FILE (- reads standard input) and write\n"
     "                 the macros to the mouse (Save Macro); the text is checked before the mouse\n"
     "                 is opened\n"
     "  rename N NAME  name macro N (at most 14 characters) and write the macros to the mouse\n"
     "The text has one event a line; blank lines and lines starting with # are skipped:\n"
     "  press KEY      a key, a modifier or a mouse button goes down\n"
     "  release KEY    it goes up\n"
     "  delay MS       a wait of 0 to 65535 milliseconds\n"
     "KEY is a key name as the Macro page lists it (A, F1, Page Up, 1 (numeric pad), any letter\n"
     "case), a modifier (Shift, Ctrl, Alt, Left Windows, Right Windows), a mouse button (LeftKey,\n"
     "RightKey, MiddleKey, Forward, Backward), or a key code in hex (0x04). A macro holds at most\n"
     "100 presses, 100 releases and 1024 bytes.\n"},
};

}  // namespace

std::optional<std::string_view> commandHelp(std::string_view command) {
    // set's help ends with the settings, which the settings table writes.
    static const std::string setHelp = [] {
        for (const auto& h : kHelp)
            if (h.command == "set") return std::string(h.text) + settingsHelp();
        return std::string();
    }();
    if (command == "set") return setHelp;
    for (const auto& h : kHelp)
        if (h.command == command) return h.text;
    return std::nullopt;
}

}  // namespace varnel::ctl

#include "command_line.h"

#include <charconv>

#include "shell/settings_table.h"
#include "skin/start_language.h"
#include "command_help.h"

namespace varnel::ctl {

namespace {
const char* const kUsageTemplate =
    "usage: varnelctl [options] COMMAND [FILE]\n"
    "commands:\n"
    "  list                 HID interfaces seen: path, ids, feature report length\n"
    "  info                 identify the mouse: variant, lighting, sensor, steps\n"
    "  backup FILE          read the mouse and save its configuration as a profile\n"
    "  restore FILE         load a profile and apply it, macros included\n"
    "  reset                write the default configuration\n"
    "  flash FILE           program a firmware image (Wren)\n"
    "  export-macros FILE   save all macros of the mouse (Wren)\n"
    "  import-macros FILE   load all macros from a file and save them to the mouse (Wren)\n"
    "  show                 print every setting (--json: as JSON, schema 1; --lang es|en|3: names\n"
    "                       of button functions in that language)\n"
    "  set SETTING=VALUE... change settings with the window's rules and write them as Apply does\n"
    "                       (--dry-run: print the image bytes that would change, send nothing)\n"
    "  macro show N         print macro N (1..32) as text, one event a line (Wren)\n"
    "  macro set N FILE|-   write macro N from a text file or standard input (Wren)\n"
    "  macro rename N NAME  rename macro N (Wren)\n"
    "  help COMMAND         the help of one command (also: COMMAND --help)\n"
    "options:\n"
    "  --default-image FILE            use FILE as the default image; it fixes the variant\n"
    "  --virtual MODEL                 a virtual mouse, e.g. wren-rgb-3330, lark-color-a5050\n"
    "  --virtual-load FILE             its memory before (256 bytes Lark, 65536 Wren)\n"
    "  --virtual-save FILE             its memory afterwards\n"
    "  --virtual-interfaces 1|2        one interface for both reports, or two\n"
    "  --virtual-fault NAME=K          at the K-th report: refuse-report, unplug-after; from it on:\n"
    "                                  wrong-id, short-answer, garbage, other-variant, late-answer\n"
    "  --virtual-latency-us N          delay per report, paced like a device\n"
    "  --trace FILE                    one line per report exchanged with the mouse\n"
    "  --no-verify                     do not read back what restore, reset and import-macros wrote\n"
    "  --file PROFILE --model VARIANT-LIGHTING-SENSOR\n"
    "                                  show or set a profile file instead of a mouse, e.g.\n"
    "                                  --model wren-rgb-3330; set writes the file back\n"
    "  -q, --quiet                     no progress and no line saying what was done; errors only\n"
    "  --version                       print the version\n"
    "settings (set and show):\n"
    "%SETTINGS%"
    "exit status: 0 done, 1 failed on the device, 2 usage or a refused setting, 3 no device, 4 mouse\n"
    "refused, 5 bad file\n";

}  // namespace

// Made on first use: the settings table it lists is itself a static of another file.
const std::string& usageText() {
    static const std::string text = [] {
        std::string t = kUsageTemplate;
        const std::string_view mark = "%SETTINGS%";
        t.replace(t.find(mark), mark.size(), settingsHelp());
        return t;
    }();
    return text;
}

namespace {

std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

Error usage(std::string message) { return makeError(std::move(message)); }

// The options of show and set; an error for any other option name.
Status settingsOption(Options& o, std::string_view name, std::string_view value) {
    if (name == "--lang") {
        const auto language = languageFromCode(value);
        if (!language) return usage("--lang takes es, en or 3");
        o.language = *language;
    } else if (name == "--file") {
        o.profile = std::string(value);
    } else if (name == "--model") {
        auto model = parseVirtualModel(value);
        if (!model) return usage("--model: " + model.error().message);
        o.fileModel = *model;
    } else {
        return usage("unknown option " + std::string(name));
    }
    return Status::success();
}

Status checkSettingsCommand(Options& o, const std::vector<std::string_view>& positional) {
    const Command c = o.command.command;
    const bool settingsCommand = c == Command::Show || c == Command::Set;
    if (!settingsCommand && (o.profile || o.fileModel || o.json || o.dryRun))
        return usage("--file, --model, --json and --dry-run are options of show and set");
    if (o.json && c != Command::Show) return usage("--json is an option of show");
    if (o.dryRun && c != Command::Set) return usage("--dry-run is an option of set");
    if (o.profile.has_value() != o.fileModel.has_value()) return usage("--file and --model go together");
    if (o.profile && o.virtualModel) return usage("--file and --virtual exclude each other");
    if (c == Command::Set) {
        if (positional.size() < 2) return usage("set takes one SETTING=VALUE or more");
        o.settings.assign(positional.begin() + 1, positional.end());
    }
    return Status::success();
}

// --help, --version, or "help": the command named (after "help", or as the command) is the topic.
Result<Options> helpRequest(Options o, const std::vector<std::string_view>& positional) {
    const bool helpWord = !positional.empty() && positional[0] == "help";
    o.help = o.help || helpWord;
    const std::size_t topic = helpWord ? 1 : 0;
    if (o.help && positional.size() > topic) {
        if (!commandHelp(positional[topic])) return usage("no help for \"" + std::string(positional[topic]) + "\"");
        o.helpTopic = std::string(positional[topic]);
    }
    return o;
}

}  // namespace

Result<Options> parseCommandLine(const std::vector<std::string_view>& args) {
    Options o;
    std::vector<std::string_view> positional;
    bool sawCommand = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        if (a == "-h" || a == "--help") {
            o.help = true;
            continue;
        }
        if (a == "-q" || a == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (a == "--version") {
            o.version = true;
            continue;
        }
        if (a == "--no-verify") {
            o.verify = false;
            continue;
        }
        if (a == "--json" || a == "--dry-run") {
            (a == "--json" ? o.json : o.dryRun) = true;
            continue;
        }
        if (!a.starts_with("--")) {
            positional.push_back(a);
            continue;
        }
        std::string_view name = a, value;
        bool inlineValue = false;
        if (auto eq = a.find('='); eq != std::string_view::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
            inlineValue = true;
        } else if (i + 1 < args.size()) {
            value = args[i + 1];
        } else {
            return usage("option " + std::string(a) + " needs a value");
        }
        if (!inlineValue) ++i;
        if (name == "--default-image")
            o.defaultImage = std::string(value);
        else if (name == "--virtual") {
            auto model = parseVirtualModel(value);
            if (!model) return model.error();
            o.virtualModel = *model;
        } else if (name == "--virtual-load")
            o.virtualLoad = std::string(value);
        else if (name == "--virtual-save")
            o.virtualSave = std::string(value);
        else if (name == "--trace")
            o.trace = std::string(value);
        else if (name == "--virtual-interfaces") {
            if (value != "1" && value != "2") return usage("--virtual-interfaces takes 1 or 2");
            o.virtualInterfaces = value == "1" ? 1 : 2;
        } else if (name == "--virtual-fault") {
            if (auto s = addVirtualFault(o.faults, value); !s) return usage("--virtual-fault: " + s.error().message);
        } else if (name == "--virtual-latency-us") {
            auto n = number(value);
            if (!n) return usage("--virtual-latency-us takes a number of microseconds");
            o.latencyUs = *n;
        } else if (auto s = settingsOption(o, name, value); !s) {
            return s.error();
        }
    }
    if (o.help || o.version || (!positional.empty() && positional[0] == "help")) return helpRequest(o, positional);
    if (positional.empty()) return usage("no command given");
    for (const auto& c : kCommands)
        if (c.name == positional[0]) {
            o.command = c;
            sawCommand = true;
        }
    if (!sawCommand) return usage("unknown command " + std::string(positional[0]));
    if (auto s = checkSettingsCommand(o, positional); !s) return s.error();
    if (o.command.command == Command::Macro) {
        auto macro = parseMacroArguments({positional.begin() + 1, positional.end()});
        if (!macro) return macro.error();
        o.macro = std::move(*macro);
        positional.resize(1);
    }
    const std::size_t wanted = o.command.command == Command::Set ? positional.size() : o.command.takesFile ? 2 : 1;
    if (positional.size() != wanted)
        return usage(std::string(o.command.name) + (o.command.takesFile ? " takes one FILE" : " takes no argument"));
    if (o.command.takesFile) o.file = std::string(positional[1]);
    const bool virtualDetail = o.virtualLoad || o.virtualSave || o.virtualInterfaces != 1 || o.faults.refuseReport ||
                               o.faults.vanishAfterReport || o.faults.hostileFrom || o.latencyUs;
    if (virtualDetail && !o.virtualModel) return usage("--virtual-* options need --virtual MODEL");
    return o;
}

}  // namespace varnel::ctl

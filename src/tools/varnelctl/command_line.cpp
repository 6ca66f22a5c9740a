#include "command_line.h"

#include <charconv>

#include "command_help.h"

namespace varnel::ctl {

const char* const kUsage =
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
    "  --virtual-latency-us N          delay per report\n"
    "  --trace FILE                    one line per report exchanged with the mouse\n"
    "  --no-verify                     do not read back what restore, reset and import-macros wrote\n"
    "  -q, --quiet                     no progress and no line saying what was done; errors only\n"
    "  --version                       print the version\n"
    "exit status: 0 done, 1 failed on the device, 2 usage, 3 no device, 4 mouse refused, 5 bad file\n";

namespace {

std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

Error usage(std::string message) { return makeError(std::move(message)); }

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
        } else {
            return usage("unknown option " + std::string(name));
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
    if (o.command.command == Command::Macro) {
        auto macro = parseMacroArguments({positional.begin() + 1, positional.end()});
        if (!macro) return macro.error();
        o.macro = std::move(*macro);
        positional.resize(1);
    }
    const std::size_t wanted = o.command.takesFile ? 2 : 1;
    if (positional.size() != wanted)
        return usage(std::string(o.command.name) + (o.command.takesFile ? " takes one FILE" : " takes no argument"));
    if (o.command.takesFile) o.file = std::string(positional[1]);
    const bool virtualDetail = o.virtualLoad || o.virtualSave || o.virtualInterfaces != 1 || o.faults.refuseReport ||
                               o.faults.vanishAfterReport || o.faults.hostileFrom || o.latencyUs;
    if (virtualDetail && !o.virtualModel) return usage("--virtual-* options need --virtual MODEL");
    return o;
}

}  // namespace varnel::ctl

// varnelctl: the mouse's configuration from the command line, on the real HID bus or on a
// virtual mouse.
#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "command_help.h"
#include "command_line.h"
#include "run.h"

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    auto options = varnel::ctl::parseCommandLine(args);
    if (!options) {
        // The whole usage would bury the one line that matters.
        std::cerr << "varnelctl: " << options.error().message << "\n(varnelctl --help lists the commands and options)\n";
        return varnel::ctl::kExitUsage;
    }
    if (options->version) {
        std::cout << varnel::ctl::kVersionText;
        return varnel::ctl::kExitDone;
    }
    if (options->help) {
        std::cout << (options->helpTopic ? *varnel::ctl::commandHelp(*options->helpTopic) : varnel::ctl::usageText());
        return varnel::ctl::kExitDone;
    }
    options->errorIsTerminal = ::isatty(STDERR_FILENO) == 1;
    options->standardInput = &std::cin;
    return varnel::ctl::run(*options, std::cout, std::cerr);
}

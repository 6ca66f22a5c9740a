// varnelctl: the mouse's configuration from the command line, on the real HID bus or on a
// virtual mouse.
#include <iostream>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "run.h"

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    auto options = varnel::ctl::parseCommandLine(args);
    if (!options) {
        std::cerr << "varnelctl: " << options.error().message << '\n' << varnel::ctl::kUsage;
        return varnel::ctl::kExitUsage;
    }
    if (options->help) {
        std::cout << varnel::ctl::kUsage;
        return varnel::ctl::kExitDone;
    }
    return varnel::ctl::run(*options, std::cout, std::cerr);
}

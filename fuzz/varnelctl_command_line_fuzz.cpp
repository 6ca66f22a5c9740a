// varnelctl's command line: the input is its arguments, separated by NUL bytes.
#include <string_view>
#include <vector>

#include "command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> args;
    for (std::size_t from = 0; from <= all.size();) {
        const auto nul = all.find('\0', from);
        const auto end = nul == std::string_view::npos ? all.size() : nul;
        args.push_back(all.substr(from, end - from));
        from = end + 1;
    }
    (void)varnel::ctl::parseCommandLine(args);
    return 0;
}

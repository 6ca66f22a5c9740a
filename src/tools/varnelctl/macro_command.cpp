#include "macro_command.h"

#include <charconv>
#include <iterator>

#include "common/file_io.h"
#include "config/image_sizes.h"

namespace varnel::ctl {

namespace {

// A macro's text has at most 200 events and a delay between each two; comments make it longer,
// but nothing a user writes by hand comes near this.
constexpr std::size_t kMaxMacroTextBytes = 1 << 20;

struct ActionWord {
    std::string_view word;
    MacroAction action;
    std::size_t words;  // after "macro", the action word included
};

constexpr ActionWord kActions[] = {
    {"show", MacroAction::Show, 2}, {"set", MacroAction::Set, 3}, {"rename", MacroAction::Rename, 3}};

}  // namespace

Result<MacroRequest> parseMacroArguments(const std::vector<std::string_view>& words) {
    const std::string usage = "macro takes show N, set N FILE|- or rename N NAME";
    if (words.empty()) return makeError(usage);
    const ActionWord* found = nullptr;
    for (const auto& a : kActions)
        if (a.word == words[0]) found = &a;
    if (!found || words.size() != found->words) return makeError(usage);
    unsigned n = 0;
    const std::string_view number = words[1];
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
    if (ec != std::errc() || end != number.data() + number.size() || n < 1 || n > kMacroCount)
        return makeError("a macro is numbered 1 to " + std::to_string(kMacroCount) + ", not \"" + std::string(number) +
                         "\"");
    MacroRequest r{found->action, n - 1, {}};
    if (found->words == 3) r.argument = std::string(words[2]);
    return r;
}

Result<std::string> readMacroText(const MacroRequest& request, std::istream* standardInput) {
    std::string text;
    if (request.argument == "-") {
        if (!standardInput) return makeError("no standard input to read the macro from");
        text.assign(std::istreambuf_iterator<char>(*standardInput), std::istreambuf_iterator<char>());
        if (text.size() > kMaxMacroTextBytes) return makeError("the macro text is longer than 1 MiB");
    } else {
        auto head = readFileAtMost(request.argument, kMaxMacroTextBytes);
        if (!head) return head.error();
        if (head->longer) return makeError(request.argument + " is longer than 1 MiB: no macro text");
        text.assign(head->bytes.begin(), head->bytes.end());
    }
    return text;
}

}  // namespace varnel::ctl

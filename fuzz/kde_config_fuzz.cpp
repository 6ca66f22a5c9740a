// The KDE configuration-file reader and writer on any file a user may have. Byte 0 picks the key
// the pointer settings write; the rest is the file. Besides crashes: an unchanged file gives back
// its bytes, a written value reads back, a refused write changes nothing, no key loses its flags
// ("[$e]"), and a file whose lines end in CRLF gets no line ending in LF alone.
#include <string>
#include <string_view>

#include "platform/kde_config_file.h"

namespace {

struct Key {
    const char* group;
    const char* key;
    const char* value;
};
constexpr Key kKeys[] = {{"Mouse", "XLbInptPointerAcceleration", "-0.6"},
                         {"KDE", "DoubleClickInterval", "400"},
                         {"KDE", "WheelScrollLines", "3"}};

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Line ends "\n" without a "\r" before them.
std::size_t bareLineEnds(std::string_view text) { return count(text, "\n") - count(text, "\r\n"); }

bool crlfFile(std::string_view text) {
    const auto nl = text.find('\n');
    return nl != std::string_view::npos && nl > 0 && text[nl - 1] == '\r';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    if (size == 0) return 0;
    const Key& k = kKeys[data[0] % std::size(kKeys)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    KdeConfigFile file = KdeConfigFile::fromText(text);
    if (file.text() != text) __builtin_trap();
    const std::string old = file.value(k.group, k.key).value_or("");
    if (!file.set(k.group, k.key, k.value)) {
        if (file.text() != text) __builtin_trap();
        return 0;
    }
    const std::string written = file.text();
    if (count(written, "[$") != count(text, "[$") - count(old, "[$")) __builtin_trap();
    if (crlfFile(text) && bareLineEnds(written) != bareLineEnds(text)) __builtin_trap();
    if (KdeConfigFile::fromText(written).value(k.group, k.key) != std::optional<std::string>(k.value)) __builtin_trap();
    return 0;
}

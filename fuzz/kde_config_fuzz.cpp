// The KDE configuration-file reader and writer on any file a user may have. Byte 0 picks the key
// the pointer settings write; the rest is the file. Besides crashes: an unchanged file gives back
// its bytes, a written value reads back, and a refused write changes nothing.
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnel;
    if (size == 0) return 0;
    const Key& k = kKeys[data[0] % std::size(kKeys)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    KdeConfigFile file = KdeConfigFile::fromText(text);
    if (file.text() != text) __builtin_trap();
    (void)file.value(k.group, k.key);
    if (!file.set(k.group, k.key, k.value)) {
        if (file.text() != text) __builtin_trap();
        return 0;
    }
    const std::string written = file.text();
    if (KdeConfigFile::fromText(written).value(k.group, k.key) != std::optional<std::string>(k.value)) __builtin_trap();
    return 0;
}

#include "platform/language_choice_file.h"

#include <cstdlib>
#include <system_error>

#include "common/file_io.h"

namespace varnel {

namespace {

// Enough for any code; a larger file is not ours to read.
constexpr std::size_t kMaxChoiceBytes = 64;

}  // namespace

std::optional<std::filesystem::path> LanguageChoiceFile::defaultPath() {
    std::filesystem::path folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && std::filesystem::path(config).is_absolute()) {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folder = std::filesystem::path(home) / ".config";
    } else {
        return std::nullopt;
    }
    return folder / "varnel-config" / "language";
}

std::optional<std::string> LanguageChoiceFile::read() const {
    const auto head = readFileAtMost(file_, kMaxChoiceBytes);
    if (!head || head->longer) return std::nullopt;
    return std::string(head->bytes.begin(), head->bytes.end());
}

Status LanguageChoiceFile::write(std::string_view code) const {
    std::error_code ec;
    std::filesystem::create_directories(file_.parent_path(), ec);
    if (ec) return makeError("cannot make " + file_.parent_path().string() + ": " + ec.message());
    const std::string text = std::string(code) + "\n";
    return writeFileAtomic(file_, ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace varnel

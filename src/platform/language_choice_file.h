#pragma once
// The language the user last chose in the window, kept as its code in the file "language" of the
// program's folder in the user's configuration.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/result.h"

namespace varnel {

class LanguageChoiceFile {
public:
    explicit LanguageChoiceFile(std::filesystem::path file) : file_(std::move(file)) {}

    // $XDG_CONFIG_HOME/varnel-config/language; ~/.config/varnel-config/language when that is unset
    // or not absolute; none without a home either.
    static std::optional<std::filesystem::path> defaultPath();

    const std::filesystem::path& path() const { return file_; }
    // The stored text; none when there is no such file or it cannot be read.
    std::optional<std::string> read() const;
    // Replaces the file (atomically), making its folder when missing.
    Status write(std::string_view code) const;

private:
    std::filesystem::path file_;
};

}  // namespace varnel

#pragma once
// A KDE configuration file (kdeglobals, kcminputrc) as its lines, for reading and changing single
// keys while every other byte stays as it was: comments, other groups and keys, their order,
// blank lines and a missing last line end. Groups are "[Name]" lines (nested ones "[A][B]"); a
// key line is "Key=Value" with spaces around either side ignored; "Key[de]=" is another key.
// A file, group or key marked "[$i]" is locked down by the administrator and is not changed.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace varnel {

class KdeConfigFile {
public:
    // A missing file reads as empty; one larger than any configuration file is refused unread.
    static Result<KdeConfigFile> load(const std::filesystem::path& path);
    static KdeConfigFile fromText(std::string_view text);

    // The value of `key` in `group` as written (the last one, where a group appears twice).
    std::optional<std::string> value(std::string_view group, std::string_view key) const;
    // Sets `key` in `group`: the key's line is replaced, or a line is added at the end of the
    // group, or the group with the key at the end of the file.
    Status set(std::string_view group, std::string_view key, std::string_view value);

    std::string text() const;
    // Replaces the file atomically (through a link, keeping its permissions).
    Status save(const std::filesystem::path& path) const;

private:
    struct Line {
        std::string text;  // without its end
        bool ended;        // a "\n" followed it
    };
    struct Place {
        std::size_t headerLine;  // the group's last header (lines_.size() for no group)
        std::optional<std::size_t> keyLine;
        std::size_t end;  // one past the group's last key line (or its header)
        bool locked = false;
    };
    Place find(std::string_view group, std::string_view key) const;
    // The file's first line end is "\r\n".
    bool usesCrLf() const;

    std::vector<Line> lines_;
};

}  // namespace varnel

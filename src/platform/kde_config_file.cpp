#include "platform/kde_config_file.h"

#include <algorithm>

#include "common/bytes.h"
#include "common/file_io.h"

namespace varnel {

namespace {

// kdeglobals with many colour schemes is tens of kilobytes; anything this large is no
// configuration file.
constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;
constexpr std::string_view kLocked = "[$i]";

// Blanks around a line; a line of blanks and a carriage return is empty.
std::string_view trim(std::string_view s) {
    constexpr std::string_view kBlanks = " \t\r";
    const auto first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

bool isHeader(std::string_view line) { return line.starts_with('['); }

// "[Mouse]", "[Mouse][$i]" → the group's name and whether it is locked.
std::pair<std::string_view, bool> headerGroup(std::string_view line) {
    const bool locked = line.ends_with(kLocked);
    if (locked) line.remove_suffix(kLocked.size());
    if (line.size() < 2 || !line.ends_with(']')) return {line, locked};
    return {line.substr(1, line.size() - 2), locked};
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
    std::string_view options;  // "[$e]", "[$i]", ... as written after the key
    bool locked = false;
};

// "Key=Value", "Key[$i]=Value"; a localised "Key[de]" keeps its brackets in the key.
std::optional<KeyLine> keyLine(std::string_view line) {
    if (line.starts_with('#')) return std::nullopt;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    KeyLine k{trim(line.substr(0, eq)), trim(line.substr(eq + 1)), {}};
    if (const auto option = k.key.find("[$"); option != std::string_view::npos) {
        k.options = k.key.substr(option);
        k.locked = k.options.find('i') != std::string_view::npos;
        k.key = k.key.substr(0, option);
    }
    return k;
}

}  // namespace

KdeConfigFile KdeConfigFile::fromText(std::string_view text) {
    KdeConfigFile f;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        if (nl == std::string_view::npos) {
            f.lines_.push_back({std::string(text), false});
            break;
        }
        f.lines_.push_back({std::string(text.substr(0, nl)), true});
        text.remove_prefix(nl + 1);
    }
    return f;
}

Result<KdeConfigFile> KdeConfigFile::load(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return KdeConfigFile{};
    auto head = readFileAtMost(path, kMaxFileSize);
    if (!head) return head.error();
    if (head->longer) return makeError("\"" + path.string() + "\" is too large for a configuration file");
    return fromText(std::string_view(reinterpret_cast<const char*>(head->bytes.data()), head->bytes.size()));
}

KdeConfigFile::Place KdeConfigFile::find(std::string_view group, std::string_view key) const {
    Place place{lines_.size(), std::nullopt, lines_.size()};
    bool inGroup = false;
    bool seenGroup = false;
    bool fileLocked = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = trim(lines_[i].text);
        if (isHeader(line)) {
            // "[$i]" before the first group locks the whole file.
            if (line == kLocked && !seenGroup) {
                fileLocked = true;
                continue;
            }
            seenGroup = true;
            const auto [name, locked] = headerGroup(line);
            inGroup = name == group;
            if (inGroup) {
                place.headerLine = i;
                place.end = i + 1;
                place.locked = place.locked || locked;
            }
            continue;
        }
        if (!inGroup) continue;
        const auto k = keyLine(line);
        if (!k) continue;
        place.end = i + 1;
        if (k->key != key) continue;
        place.keyLine = i;
        place.locked = place.locked || k->locked;
    }
    place.locked = place.locked || fileLocked;
    return place;
}

std::optional<std::string> KdeConfigFile::value(std::string_view group, std::string_view key) const {
    const Place p = find(group, key);
    if (!p.keyLine) return std::nullopt;
    return std::string(keyLine(trim(lines_[*p.keyLine].text))->value);
}

Status KdeConfigFile::set(std::string_view group, std::string_view key, std::string_view value) {
    const Place p = find(group, key);
    if (p.locked) return makeError("[" + std::string(group) + "] " + std::string(key) + " is locked down");
    if (p.keyLine) {
        // The key keeps its flags ("[$e]"): only the value is the program's to change.
        std::string& old = lines_[*p.keyLine].text;
        const std::string line = std::string(key) + std::string(keyLine(trim(old))->options) + "=" + std::string(value);
        old = old.ends_with('\r') ? line + '\r' : line;
        return Status::success();
    }
    // Added lines end as the file's lines do.
    const std::string end = usesCrLf() ? "\r" : "";
    std::vector<Line> added;
    std::size_t at = p.end;
    if (p.headerLine == lines_.size()) {
        at = lines_.size();
        if (!lines_.empty() && !trim(lines_.back().text).empty()) added.push_back({end, true});
        added.push_back({"[" + std::string(group) + "]" + end, true});
    }
    added.push_back({std::string(key) + "=" + std::string(value) + end, true});
    // Lines added after a last line that has no end give it one.
    if (at == lines_.size() && !lines_.empty() && !lines_.back().ended) {
        if (!lines_.back().text.ends_with('\r')) lines_.back().text += end;
        lines_.back().ended = true;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    return Status::success();
}

bool KdeConfigFile::usesCrLf() const {
    const auto first = std::find_if(lines_.begin(), lines_.end(), [](const Line& l) { return l.ended; });
    return first != lines_.end() && first->text.ends_with('\r');
}

std::string KdeConfigFile::text() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.text;
        if (l.ended) out += '\n';
    }
    return out;
}

Status KdeConfigFile::save(const std::filesystem::path& path) const {
    const std::string t = text();
    return writeFileAtomic(path, ByteSpan(reinterpret_cast<const std::uint8_t*>(t.data()), t.size()));
}

}  // namespace varnel

#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace varnel {

namespace {
std::string describe(const std::filesystem::path& path, const char* what) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
}

// Files are read from and written over regular files only: never a device, pipe or folder.
Status mustBeRegular(const std::filesystem::path& path, const struct stat& st) {
    if (S_ISREG(st.st_mode)) return Status::success();
    const char* what = S_ISDIR(st.st_mode) ? "is a folder" : "is a device, pipe or socket";
    return makeError("\"" + path.string() + "\" " + what + ", not a file");
}
}  // namespace

Result<FileHead> readFileAtMost(const std::filesystem::path& path, std::size_t maxBytes) {
    auto regular = [&](const struct stat& st) { return mustBeRegular(path, st); };
    // Checked before opening, so no device is opened at all, and again on what was opened, in case
    // the name was replaced in between; O_NONBLOCK keeps a pipe that slipped in from blocking.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return makeError(describe(path, "cannot open"));
    if (auto s = regular(st); !s) return s.error();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return makeError(describe(path, "cannot open"));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0) return makeError(describe(path, "cannot read"));
    if (auto s = regular(st); !s) return s.error();

    FileHead head;
    head.size = static_cast<std::uintmax_t>(st.st_size);
    head.bytes.resize(maxBytes + 1);
    std::size_t got = 0;
    while (got < head.bytes.size()) {
        const auto n = ::read(fd, head.bytes.data() + got, head.bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return makeError(describe(path, "cannot read"));
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    head.longer = got > maxBytes;
    head.bytes.resize(std::min(got, maxBytes));
    return head;
}

Status writeFileAtomic(const std::filesystem::path& given, ByteSpan data) {
    // A link is written through, so the file it names is replaced, not the link; the rename below
    // would put a file in the place of a device node or a pipe, so those are refused.
    std::filesystem::path path = given;
    if (std::error_code ec; std::filesystem::is_symlink(given, ec)) {
        path = std::filesystem::canonical(given, ec);
        if (ec) return makeError("cannot follow the link \"" + given.string() + "\": " + ec.message());
    }
    if (struct stat target{}; ::stat(path.c_str(), &target) == 0) {
        if (auto s = mustBeRegular(given, target); !s) return makeError(s.error().message + "; nothing was written");
    }
    const auto folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string tmpl = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return makeError(describe(path, "cannot create a file next to"));
    const std::filesystem::path tmp = tmpl;
    // Any failure removes the temporary file; the old file is untouched until the rename.
    bool open = true;
    auto fail = [&](const char* what) -> Status {
        Error e = makeError(describe(path, what));
        if (open) ::close(fd);
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        return e;
    };
    for (std::size_t done = 0; done < data.size();) {
        const auto w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w < 0) return fail("cannot write");
        done += static_cast<std::size_t>(w);
    }
    // mkstemp creates 0600; a replaced file keeps its permissions, a new one gets 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail("cannot write");
    open = false;
    if (::close(fd) != 0) return fail("cannot write");
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail("cannot replace");
    return Status::success();
}

std::filesystem::path withBinExtension(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".bin") == 0) return path;
    auto out = path;
    out += ".bin";
    return out;
}

Result<std::filesystem::path> writeBinFile(const std::filesystem::path& path, ByteSpan data) {
    const auto target = withBinExtension(path);
    if (auto s = writeFileAtomic(target, data); !s) return s.error();
    return target;
}

}  // namespace varnel

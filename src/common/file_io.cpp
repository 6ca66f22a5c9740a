#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
}  // namespace

Result<Bytes> readWholeFile(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return makeError(describe(path, "cannot open"));
    Bytes data;
    std::uint8_t chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.insert(data.end(), chunk, chunk + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return makeError(describe(path, "cannot read"));
    return data;
}

Status writeFileAtomic(const std::filesystem::path& path, ByteSpan data) {
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

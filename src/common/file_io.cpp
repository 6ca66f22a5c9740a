#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
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

Error nothingChanged(const std::string& why) { return makeError(why + "; nothing was changed"); }

std::filesystem::path folderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// 0 when files can be created in `folder`, else why not (an errno value).
int folderError(const std::filesystem::path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return ::access(folder.c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

FileCalls makeSystemFileCalls() {
    FileCalls c;
    c.createTemp = [](char* pathTemplate) { return ::mkostemp(pathTemplate, O_CLOEXEC); };
    c.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
    c.fsync = [](int fd) { return ::fsync(fd); };
    c.close = [](int fd) { return ::close(fd); };
    c.rename = [](const char* from, const char* to) { return ::rename(from, to); };
    c.openFolder = [](const char* folder) { return ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC); };
    return c;
}

std::atomic<const FileCalls*> replacedCalls{nullptr};

const FileCalls& currentCalls() {
    const FileCalls* replaced = replacedCalls.load();
    return replaced ? *replaced : systemFileCalls();
}
}  // namespace

const FileCalls& systemFileCalls() {
    static const FileCalls calls = makeSystemFileCalls();
    return calls;
}

ScopedFileCalls::ScopedFileCalls(FileCalls calls) : calls_(std::move(calls)) { replacedCalls.store(&calls_); }

ScopedFileCalls::~ScopedFileCalls() { replacedCalls.store(nullptr); }

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

Result<std::filesystem::path> writableTarget(const std::filesystem::path& given) {
    // A link is written through, so the file it names is replaced, not the link; the rename would
    // put a file in the place of a device node or a pipe, so those are refused.
    std::filesystem::path path = given;
    if (std::error_code ec; std::filesystem::is_symlink(given, ec)) {
        path = std::filesystem::canonical(given, ec);
        if (ec) return makeError("cannot follow the link \"" + given.string() + "\": " + ec.message());
    }
    const auto folder = folderOf(path);
    if (const int e = folderError(folder)) {
        errno = e;
        return nothingChanged(describe(folder, "cannot write into the folder"));
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return path;
    if (auto s = mustBeRegular(given, st); !s) return nothingChanged(s.error().message);
    // The rename needs only the folder's permission: without this check a file its owner protected
    // (or one root may write but nobody is meant to) would be replaced without a word.
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return makeError("\"" + given.string() + "\" is write-protected: it was not replaced");
    return path;
}

Status writeFileAtomic(const std::filesystem::path& given, ByteSpan data) {
    const auto target = writableTarget(given);
    if (!target) return target.error();
    const std::filesystem::path& path = *target;
    const FileCalls& sys = currentCalls();
    const auto folder = folderOf(path);
    std::string tmpl = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = sys.createTemp(tmpl.data());
    if (fd < 0) return nothingChanged(describe(path, "cannot create a file next to"));
    // Any failure removes the temporary file; the old file is untouched until the rename.
    bool open = true;
    auto fail = [&](const char* what) -> Status {
        Error e = nothingChanged(describe(path, what));
        if (open) sys.close(fd);
        ::unlink(tmpl.c_str());
        return e;
    };
    for (std::size_t done = 0; done < data.size();) {
        const auto w = sys.write(fd, data.data() + done, data.size() - done);
        if (w < 0 && errno == EINTR) continue;
        if (w == 0) errno = EIO;  // no progress would loop for ever
        if (w <= 0) return fail("cannot write");
        done += static_cast<std::size_t>(w);
    }
    // mkstemp creates 0600; a replaced file keeps its permissions, a new one gets 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(fd, mode) != 0 || sys.fsync(fd) != 0) return fail("cannot write");
    open = false;
    if (sys.close(fd) != 0) return fail("cannot write");
    if (sys.rename(tmpl.c_str(), path.c_str()) != 0) return fail("cannot replace");
    // The rename itself is on disk only once the folder is: until then a power loss can bring the
    // old file back, or leave none. A file system that cannot sync folders says EINVAL.
    const int dir = sys.openFolder(folder.c_str());
    const bool synced = dir >= 0 && (sys.fsync(dir) == 0 || errno == EINVAL);
    const std::string why = synced ? std::string() : std::strerror(errno);
    if (dir >= 0) sys.close(dir);
    if (!synced)
        return makeError("\"" + path.string() + "\" was written, but its folder could not be synced (" + why +
                         "): the change may not survive a power loss");
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

#pragma once
// Tests of what a user may not do (write into a read-only folder, open a node without permission)
// prove nothing as root, and CI runs as root. Such a test hands its body to runUnprivileged: as
// root the body runs in a forked child that has switched to uid/gid 65534, in a scratch folder
// under /tmp owned by that user (the build tree may sit where that user cannot enter), and the
// test fails when the child's body did; without root the body runs in-process in a scratch folder.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace varnel::testing {

inline void runUnprivileged(const std::function<void(const std::filesystem::path& scratch)>& body) {
    namespace fs = std::filesystem;
    constexpr unsigned kNobody = 65534;
    constexpr int kCannotDrop = 77;
    std::string name = (fs::temp_directory_path() / "varnel-unprivileged-XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    const fs::path scratch = name;
    struct Remove {
        fs::path path;
        ~Remove() {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } remove{scratch};
    if (::geteuid() != 0) {
        body(scratch);
        return;
    }
    ASSERT_EQ(::chown(scratch.c_str(), kNobody, kNobody), 0);
    std::fflush(nullptr);  // nothing buffered is written twice
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0)
            ::_exit(kCannotDrop);
        body(scratch);
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "the child as uid 65534 ended by signal " << WTERMSIG(status);
    if (WEXITSTATUS(status) == kCannotDrop)
        GTEST_SKIP() << "root cannot switch to uid/gid 65534 here, and as root the test would prove nothing";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "failed as uid 65534 (the child's messages are above)";
}

}  // namespace varnel::testing

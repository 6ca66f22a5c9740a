#pragma once
// A helper program of a test's own (a bus, an X server) that prints one line, its address, when
// it is ready; ended with the object.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace varnel::testing {

class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> argv) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            if (const int quiet = ::open("/dev/null", O_WRONLY); quiet >= 0) ::dup2(quiet, STDERR_FILENO);
            ::close(fds[0]);
            std::vector<char*> args;
            for (auto& a : argv) args.push_back(a.data());
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string line;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') line += c;
        ::close(fds[0]);
        line_ = line;
    }
    ~ChildProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    const std::string& line() const { return line_; }

private:
    pid_t pid_ = -1;
    std::string line_;
};

}  // namespace varnel::testing

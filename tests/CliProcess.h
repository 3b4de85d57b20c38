// tillscribe-cli running in the background for a test, its standard output
// read line by line.
#pragma once

#include <chrono>
#include <csignal>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tillscribe::test {

class CliProcess {
public:
    CliProcess(const std::string &command, const std::vector<std::string> &arguments)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            std::vector<char *> argv{const_cast<char *>(TILLSCRIBE_CLI), const_cast<char *>(command.c_str())};
            for (const std::string &a : arguments)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(TILLSCRIBE_CLI, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
    }
    ~CliProcess()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0)
            ::close(out_);
    }
    CliProcess(const CliProcess &) = delete;
    CliProcess &operator=(const CliProcess &) = delete;

    // Waits for a new line that begins with prefix; every line read stays in Said().
    bool WaitFor(const std::string &prefix, std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            size_t at = seen_;
            for (size_t nl; (nl = said_.find('\n', at)) != std::string::npos; at = nl + 1)
                if (said_.compare(at, prefix.size(), prefix) == 0) {
                    seen_ = nl + 1;
                    return true;
                }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            pollfd p{out_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return false;
            char buffer[4096];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            said_.append(buffer, static_cast<size_t>(n));
        }
    }
    const std::string &Said() const { return said_; }
    void Signal(int signo) { ::kill(pid_, signo); }
    int Wait()
    {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int Stop()
    {
        Signal(SIGTERM);
        return Wait();
    }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool exited_ = false;
    std::string said_;
    size_t seen_ = 0;
};

} // namespace tillscribe::test

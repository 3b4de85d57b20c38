// tillscribe-cli capture, run as a service would run it.
#include "PtyPort.h"
#include "TestSupport.h"
#include "TillscribeVivudivUnit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>

namespace {

using namespace tillscribe;
using namespace std::chrono_literals;

// The capture command in the background, its standard output read by lines.
class Service {
public:
    explicit Service(const std::vector<std::string> &arguments)
    {
        int out[2];
        if (::pipe(out) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            std::vector<char *> argv{const_cast<char *>(TILLSCRIBE_CLI), const_cast<char *>("capture")};
            for (const std::string &a : arguments)
                argv.push_back(const_cast<char *>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(TILLSCRIBE_CLI, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
    }
    ~Service()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
    }
    // Waits for a line that begins with prefix; all lines read so far stay in Said().
    bool WaitFor(const std::string &prefix, std::chrono::milliseconds limit = 20s)
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        for (;;) {
            size_t at = 0;
            for (size_t nl; (nl = said_.find('\n', at)) != std::string::npos; at = nl + 1)
                if (said_.compare(at, prefix.size(), prefix) == 0 && at >= seen_) {
                    seen_ = nl + 1;
                    return true;
                }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                until - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return false;
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
                return false;
            char buffer[4096];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            said_.append(buffer, static_cast<size_t>(n));
        }
    }
    int Stop()
    {
        ::kill(pid_, SIGTERM);
        return Wait();
    }
    int Wait()
    {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string &Said() const { return said_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool exited_ = false;
    std::string said_;
    size_t seen_ = 0;
};

int Unread(const std::string &slave)
{
    const int fd = ::open(slave.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    int waiting = -1;
    if (fd >= 0) {
        ::ioctl(fd, FIONREAD, &waiting);
        ::close(fd);
    }
    return waiting;
}

void Drain(const test::PtyPort &port)
{
    for (int i = 0; i < 1000 && Unread(port.SlavePath()) != 0; ++i)
        std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);
}

std::string Filtered(int model, const std::string &raw)
{
    TVivudivFilterState state;
    std::vector<std::uint8_t> out(raw.size() * 10 + 1);
    const size_t n = FilterBlock(state, model, reinterpret_cast<const std::uint8_t *>(raw.data()), raw.size(),
                                 out.data());
    return std::string(reinterpret_cast<const char *>(out.data()), n);
}

std::string OnlyCaptureFile(const test::TempDir &dir)
{
    std::string found;
    for (const auto &entry : std::filesystem::directory_iterator(dir / "captures"))
        found = entry.path().string();
    return found;
}

class HeadlessCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
        std::filesystem::create_directories(dir / "captures");
    }
    test::TempDir dir;
};

TEST_F(HeadlessCaptureTest, CapturesExactlyAndWritesTheBufferOutOnSigterm)
{
    auto com23 = std::make_unique<test::PtyPort>(23);
    Service service({"--device", "Direct to COM23", "--model", "SPS-1000", "--dir", dir / "captures"});
    ASSERT_TRUE(service.WaitFor("COLLECTING")) << service.Said();
    std::string raw = "\x1b!!";
    for (int i = 0; i < 500; ++i)
        raw += "ITEM " + std::to_string(i) + "   1.00\n\x1b!\x01";
    ASSERT_TRUE(com23->Send(raw));
    Drain(*com23);

    // The port goes away and comes back: reopened, said each time.
    com23.reset();
    ASSERT_TRUE(service.WaitFor("Port lost")) << service.Said();
    com23 = std::make_unique<test::PtyPort>(23);
    ASSERT_TRUE(service.WaitFor("COLLECTING")) << service.Said();
    const std::string more = "TOTAL   9.99\n\x1b!\x01";
    ASSERT_TRUE(com23->Send(more));
    Drain(*com23);

    EXPECT_EQ(service.Stop(), 0);
    // Far less than the 8192-byte buffer after the last flush: all of it on disk.
    EXPECT_EQ(test::ReadFile(OnlyCaptureFile(dir)), Filtered(2, raw + more));
}

TEST_F(HeadlessCaptureTest, RollsOverAtTheTickPastTheLimit)
{
    test::PtyPort com24(24);
    Service service({"--device", "Direct to COM24", "--model", "ER-6500", "--dir", dir / "captures", "--tick", "1"});
    ASSERT_TRUE(service.WaitFor("COLLECTING")) << service.Said();
    ASSERT_TRUE(com24.Send(std::string(700001, 'x')));
    Drain(com24);
    ASSERT_TRUE(service.WaitFor("File reached max size. New file is " + dir.Folder())) << service.Said();
    EXPECT_EQ(service.Stop(), 0);
}

TEST_F(HeadlessCaptureTest, BadArgumentsExitTwo)
{
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"--device", "Direct to COM3", "--model", "ER-999"},
          std::vector<std::string>{"--model", "ER-650"}}) {
        Service service(arguments);
        EXPECT_EQ(service.Wait(), 2);
    }
}

} // namespace

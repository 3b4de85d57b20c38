// The real tillscribe program, offscreen: a register stream through a pty,
// SIGTERM, and the capture file compared byte for byte.
#include "FilterSupport.h"
#include "PtyPort.h"
#include "TestSupport.h"
#include "TillscribeVivudivUnit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <thread>
#include <fcntl.h>

namespace {

using namespace tillscribe;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

template <typename Predicate>
bool WaitFor(Predicate done, std::chrono::milliseconds limit = 20s)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

TEST(EndToEnd, SigtermWritesEveryFilteredByteToTheCaptureFile)
{
    test::TempDir dir;
    ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
    // The program keeps its files beside itself: run a copy in the temporary folder.
    const std::string program = dir / "tillscribe";
    fs::copy_file(TILLSCRIBE_PROGRAM, program);
    test::WriteFile(dir / "YXOD172.UJJ",
                    "[Maintain]\r\nCommPort=Direct to COM5\r\nPhoneNum=\r\nRegister=2\r\n"
                    "AutoConnect=TRUE\r\n");
    test::PtyPort com5(5);
    ASSERT_TRUE(com5.Ok());

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(pid, 0);

    std::string capture;
    ASSERT_TRUE(WaitFor([&] {
        for (const auto &entry : fs::directory_iterator(dir.Folder()))
            if (entry.path().extension() == ".txt")
                capture = entry.path().string();
        return !capture.empty();
    }));

    std::string raw = "\x1b!!";
    for (int i = 0; i < 3000; ++i)
        raw += "ITEM " + std::to_string(i) + "   1.00\r\x1b!\x01" "TIME 10:41 d i\n";
    ASSERT_TRUE(com5.Send(raw));
    EXPECT_TRUE(WaitFor([&] { return com5.Unread() == 0; }));

    ::kill(pid, SIGTERM);
    int status = 0;
    bool exited = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
    if (!exited)
        ::kill(pid, SIGKILL), ::waitpid(pid, &status, 0);
    ASSERT_TRUE(exited);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

    EXPECT_EQ(test::ReadFile(capture), test::Filtered(2, raw));
    // The close saved the settings.
    EXPECT_NE(test::ReadFile(dir / "YXOD172.UJJ").find("AutoConnect=TRUE"), std::string::npos);
}

} // namespace

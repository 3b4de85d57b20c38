// tillscribe-cli capture, run as a service would run it.
#include "CliProcess.h"
#include "FilterSupport.h"
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
using test::Filtered;

// The capture command in the background.
class Service : public test::CliProcess {
public:
    explicit Service(const std::vector<std::string> &arguments) : CliProcess("capture", arguments) {}
};

void Drain(const test::PtyPort &port)
{
    for (int i = 0; i < 1000 && port.Unread() != 0; ++i)
        std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);
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

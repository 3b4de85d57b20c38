// The register simulator: a pty linked as COM n, played into, cleaned up.
#include "CliProcess.h"
#include "FilterSupport.h"
#include "SampleJournals.h"
#include "TestSupport.h"
#include "TillscribeVivudivUnit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace tillscribe;
namespace fs = std::filesystem;

// tillscribe-cli simulate running in the background; its first line, read
// at once, tells that the link is there.
class Simulator : public test::CliProcess {
public:
    explicit Simulator(const std::vector<std::string> &arguments) : CliProcess("simulate", arguments)
    {
        WaitFor("");
        const std::string &said = Said();
        firstLine_ = said.substr(0, said.find('\n'));
    }
    const std::string &FirstLine() const { return firstLine_; }

private:
    std::string firstLine_;
};

// Reads the line as a capture program would, until it falls silent.
std::string ReadPort(const std::string &path, size_t expected)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return "cannot open " + path;
    termios raw{};
    ::tcgetattr(fd, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(fd, TCSANOW, &raw);
    std::string got;
    char buffer[4096];
    while (got.size() < expected) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0)
            break;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        got.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return got;
}

class SimulateTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1); }
    std::string Link(int n) const { return dir / ("wine/dosdevices/com" + std::to_string(n)); }
    test::TempDir dir;
};

TEST_F(SimulateTest, PlaysFileIntoTheLinkedPortThenRemovesTheLink)
{
    std::string raw;
    for (int i = 0; i < 256 * 40; ++i)
        raw += static_cast<char>(i % 256);
    test::WriteFile(dir / "raw.bin", raw);
    Simulator simulator({"--model", "ER-650", "--as", "COM17", "--rate", "0", dir / "raw.bin"});
    EXPECT_EQ(simulator.FirstLine().rfind("Simulating ER-650 on COM17 (", 0), 0u) << simulator.FirstLine();
    EXPECT_TRUE(fs::is_symlink(Link(17)));
    EXPECT_EQ(ReadPort(Link(17), raw.size()), raw);
    EXPECT_EQ(simulator.Wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(Link(17))));
}

TEST_F(SimulateTest, StopSignalRemovesTheLink)
{
    Simulator simulator({"--model", "SPS-1000", "--as", "COM18", "--loop"});
    ASSERT_TRUE(fs::is_symlink(Link(18)));
    simulator.Signal(SIGTERM);
    EXPECT_EQ(simulator.Wait(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(Link(18))));
}

TEST_F(SimulateTest, LiveLinkIsNotClobbered)
{
    fs::create_directories(dir / "wine/dosdevices");
    fs::create_symlink("/dev/null", Link(19));
    Simulator simulator({"--model", "ER-600", "--as", "COM19"});
    EXPECT_EQ(simulator.Wait(), 2);
    EXPECT_EQ(fs::read_symlink(Link(19)), "/dev/null");
}

TEST_F(SimulateTest, BadArgumentsExitTwo)
{
    for (const std::vector<std::string> &arguments :
         {std::vector<std::string>{"--model", "ER-999", "--as", "COM3"},
          std::vector<std::string>{"--model", "ER-650", "--as", "LPT1"},
          std::vector<std::string>{"--model", "ER-650", "--as", "COM51"},
          std::vector<std::string>{"--model", "ER-650", "--as", "COM3", dir / "missing"}}) {
        Simulator simulator(arguments);
        EXPECT_EQ(simulator.Wait(), 2) << arguments.back();
    }
}

TEST(SampleJournals, EachFiltersToACleanJournal)
{
    for (int model = 0; model < kRegisterModelCount; ++model) {
        const std::string raw = SampleJournal(model);
        const std::string text = test::Filtered(model, raw);
        EXPECT_NE(text.find("TOTAL"), std::string::npos) << model;
        EXPECT_NE(text.find("VIVUDIV MARKET\r\n"), std::string::npos) << model;
        for (size_t i = 0; i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            ASSERT_TRUE(c >= 0x20 || c == '\r' || c == '\n') << "model " << model << " byte " << i;
            const bool lineEndWhole = (c != '\n' || (i > 0 && text[i - 1] == '\r'))
                && (c != '\r' || (i + 1 < text.size() && text[i + 1] == '\n'));
            ASSERT_TRUE(lineEndWhole) << "model " << model << " byte " << i;
        }
    }
}

} // namespace

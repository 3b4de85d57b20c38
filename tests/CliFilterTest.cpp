// tillscribe-cli filter, run as a program.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using tillscribe::test::ReadFile;
using tillscribe::test::TempDir;
using tillscribe::test::WriteFile;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunCli(const TempDir &dir, const std::string &arguments, const std::string &input = "")
{
    WriteFile(dir / "stdin", input);
    const std::string command = std::string("'") + TILLSCRIBE_CLI + "' " + arguments + " <'"
        + (dir / "stdin") + "' >'" + (dir / "stdout") + "' 2>'" + (dir / "stderr") + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "stdout"),
            ReadFile(dir / "stderr")};
}

TEST(CliFilter, FiltersFileOrStandardInputByNameOrIndex)
{
    TempDir dir;
    const std::string raw = "AB\x1bxyziCD\nNo.\n";
    const std::string expected = "ABCD\r\nNo.\r\n\r\n";
    WriteFile(dir / "raw.bin", raw);
    for (const std::string &arguments :
         {"filter --model ER-650 '" + (dir / "raw.bin") + "'", std::string("filter --model 1"),
          std::string("filter --model=ER-650 -")}) {
        const Result r = RunCli(dir, arguments, raw);
        EXPECT_EQ(r.status, 0) << arguments << r.err;
        EXPECT_EQ(r.out, expected) << arguments;
    }
}

TEST(CliFilter, LargeStreamMatchesBlockBoundaries)
{
    TempDir dir;
    // Widened space runs straddle the 1 MiB read blocks.
    std::string raw = "\x1b!!";
    while (raw.size() < (3u << 20))
        raw += "TOTAL 12.50   \x1b!\x01";
    std::string once;
    {
        const Result r = RunCli(dir, "filter --model SPS-1000", raw);
        ASSERT_EQ(r.status, 0) << r.err;
        once = r.out;
    }
    const std::string unit = "TOTAL 12.50" "  " "           ";
    ASSERT_GT(once.size(), unit.size());
    EXPECT_EQ(once.substr(0, unit.size() - 1), "TOTAL 12.50" "  " "          ");
    EXPECT_EQ(once.find('\x1b'), std::string::npos);
}

TEST(CliFilter, BadInputExitsTwoWithOneLine)
{
    TempDir dir;
    std::filesystem::create_directory(dir / "folder");
    const struct {
        std::string arguments;
        std::string says;
    } cases[] = {
        {"filter --model ER-999", "unknown register model 'ER-999'"},
        {"filter --model 8", "unknown register model '8'"},
        {"filter", "missing --model"},
        {"filter --model 0 '" + (dir / "missing") + "'", "No such file or directory"},
        {"filter --model 0 '" + (dir / "folder") + "'", "Is a directory"},
        {"frobnicate", "unknown command"},
    };
    for (const auto &c : cases) {
        const Result r = RunCli(dir, c.arguments, "data");
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.arguments << ": " << r.err;
    }
}

} // namespace

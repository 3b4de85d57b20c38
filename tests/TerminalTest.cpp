// The terminal: grid behaviour, what reaches the capture file and when.
#include "FileShare.h"
#include "Terminal.h"
#include "TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>

using namespace tillscribe;
using tillscribe::test::ReadFile;
using tillscribe::test::TempDir;
using tillscribe::test::WriteFile;

namespace {

std::string Trimmed(std::string_view row)
{
    const auto end = row.find_last_not_of(' ');
    return std::string(row.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

// A terminal whose hook shows every byte as it is.
struct PassThroughTerminal : Terminal {
    PassThroughTerminal()
    {
        SetProcessCharHook([](std::uint8_t c, TEmuCommand &command) {
            command.Kind = kEmuShowChar;
            command.Character = c;
        });
    }
    void Feed(const std::string &bytes)
    {
        Receive(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
};

TEST(TerminalScreen, CarriageReturnLineFeedBackspace)
{
    TerminalScreen screen(5, 10, 3);
    for (unsigned char c : std::string("abc\bX\rZ\nq"))
        screen.Put(c);
    EXPECT_EQ(Trimmed(screen.Row(0)), "ZbX");
    // Line feed keeps the column.
    EXPECT_EQ(Trimmed(screen.Row(1)), " q");
    screen.Put('\r');
    screen.Put('\b'); // first column: nothing moves
    EXPECT_EQ(screen.CursorColumn(), 0);
}

TEST(TerminalScreen, WrapsAfterLastColumnAndScrollsAtBottom)
{
    TerminalScreen screen(3, 4, 2);
    for (unsigned char c : std::string("abcdefgh\r\nij"))
        screen.Put(c);
    // "abcd" wrapped to "efgh", which wrapped to an empty row, then CR LF
    // scrolled "abcd" out of the three-row buffer.
    EXPECT_EQ(Trimmed(screen.Row(0)), "efgh");
    EXPECT_EQ(Trimmed(screen.Row(1)), "");
    EXPECT_EQ(Trimmed(screen.Row(2)), "ij");
    EXPECT_EQ(screen.CursorRow(), 2);
}

TEST(Terminal, CapturesShownBytesButNotTheWrap)
{
    TempDir dir;
    PassThroughTerminal terminal;
    terminal.SetCaptureFile(dir / "cap.txt");
    terminal.SetCapture(cmOn);
    const std::string line(140, 'x');
    terminal.Feed(line + "\r\n\b");
    terminal.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "cap.txt"), line + "\r\n\b");
    EXPECT_EQ(Trimmed(terminal.Screen().Row(1)), std::string(7, 'x'));
}

TEST(Terminal, NothingShownWhenHookSetsNothing)
{
    TempDir dir;
    PassThroughTerminal terminal;
    terminal.SetCaptureFile(dir / "cap.txt");
    terminal.SetCapture(cmOn);
    terminal.Feed("A");
    // A hook that leaves the command alone must not replay the last one.
    terminal.SetProcessCharHook([](std::uint8_t, TEmuCommand &) {});
    terminal.Feed("BCD");
    terminal.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "cap.txt"), "A");
}

TEST(Terminal, BufferReachesDiskOnlyWhenFull)
{
    TempDir dir;
    PassThroughTerminal terminal;
    terminal.SetCaptureFile(dir / "cap.txt");
    terminal.SetCapture(cmOn);
    std::string shown;
    for (int i = 0; i < 10000; ++i)
        shown += static_cast<char>('a' + i % 26);
    terminal.Feed(shown);
    EXPECT_EQ(ReadFile(dir / "cap.txt"), shown.substr(0, 8192));
    terminal.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "cap.txt"), shown);
}

TEST(Terminal, ClearPageSendsPageOfLineFeedsIntoCapture)
{
    TempDir dir;
    PassThroughTerminal terminal;
    terminal.Feed("lost"); // capture off: nothing recorded
    terminal.ClearPage();
    terminal.SetCaptureFile(dir / "cap.txt");
    terminal.SetCapture(cmOn);
    terminal.Feed("abc");
    terminal.ClearPage();
    EXPECT_EQ(terminal.Screen().PageTop(), 50);
    EXPECT_EQ(terminal.Screen().CursorRow(), 50);
    EXPECT_EQ(terminal.Screen().CursorColumn(), 0);
    EXPECT_EQ(Trimmed(terminal.Screen().Row(50)), "");
    terminal.ClearAll(); // captures nothing
    terminal.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "cap.txt"), "abc" + std::string(150, '\n'));
    EXPECT_EQ(terminal.Screen().CursorRow(), 0);
    EXPECT_EQ(terminal.Screen().PageTop(), 0);
}

TEST(CaptureWriter, ModesCreateTruncateAndAppend)
{
    TempDir dir;
    const std::string name = dir / "cap.txt";
    WriteFile(name, "old");
    CaptureWriter capture;
    capture.SetCaptureFile(name);
    capture.SetCapture(cmAppend);
    capture.Append('1');
    capture.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(name), "old1");

    capture.SetCapture(cmOn);
    EXPECT_EQ(ReadFile(name), ""); // emptied at once
    capture.Append('2');
    capture.SetCapture(cmOn); // same mode: nothing happens, nothing written
    EXPECT_EQ(ReadFile(name), "");
    capture.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(name), "2");

    capture.SetCaptureFile(dir / "missing.txt");
    capture.SetCapture(cmAppend); // created when missing
    EXPECT_TRUE(capture.IsCapturing());
}

TEST(CaptureWriter, RenamingWhileOnSwitchesOffAndOnInSameMode)
{
    TempDir dir;
    WriteFile(dir / "b.txt", "keep");
    CaptureWriter capture;
    capture.SetCaptureFile(dir / "a.txt");
    capture.SetCapture(cmAppend);
    capture.Append('x');
    capture.SetCaptureFile(dir / "b.txt");
    EXPECT_EQ(ReadFile(dir / "a.txt"), "x");
    EXPECT_EQ(capture.Capture(), cmAppend);
    capture.Append('y');
    capture.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "b.txt"), "keepy");
}

TEST(CaptureWriter, NamesCutAndDefaulted)
{
    CaptureWriter capture;
    capture.SetCaptureFile(std::string(300, 'n'));
    EXPECT_EQ(capture.CaptureFile(), std::string(255, 'n'));
    // Characters, not bytes: a two-byte letter is never split.
    const std::string accented = std::string(254, 'n') + "\xc3\xa9" + "zz";
    EXPECT_EQ(CutToCharacters(accented, 255), std::string(254, 'n') + "\xc3\xa9");

    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Folder());
    capture.SetCaptureFile("");
    capture.SetCapture(cmOn);
    capture.SetCapture(cmOff);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(dir / "CAPTURE.CAP"));
}

TEST(CaptureWriter, OpenFailuresNameTheCause)
{
    TempDir dir;
    WriteFile(dir / "plain", "");
    std::filesystem::create_directory(dir / "folder");
    SharedOpenResult holder = OpenShared(dir / "held.txt", O_RDWR | O_CREAT, kAccessReadWrite,
                                         kShareNone);
    ASSERT_TRUE(holder.fd);
    WriteFile(dir / "held.txt", "precious");

    struct Failure {
        std::string name;
        TCaptureMode mode;
        std::string text;
    };
    const Failure failures[] = {
        {dir / "no-such-folder/cap.txt", cmOn, "Path not found"},
        {dir / "plain/cap.txt", cmAppend, "Path not found"},
        {dir / "folder", cmOn, "File access denied"},
        {dir / "held.txt", cmOn,
         "The process cannot access the file because it is being used by another process"},
    };
    for (const Failure &f : failures) {
        CaptureWriter capture;
        capture.SetCaptureFile(f.name);
        try {
            capture.SetCapture(f.mode);
            ADD_FAILURE() << f.name << " opened";
        } catch (const CaptureError &e) {
            EXPECT_EQ(std::string(e.what()), f.text) << f.name;
        }
        // The mode holds the request, but nothing is captured.
        EXPECT_EQ(capture.Capture(), f.mode);
        EXPECT_FALSE(capture.IsCapturing());
    }
    // A refused cmOn never empties the file.
    EXPECT_EQ(ReadFile(dir / "held.txt"), "precious");
}

TEST(CaptureWriter, FailedWriteKeepsBytesForTheNextFile)
{
    TempDir dir;
    CaptureWriter capture;
    capture.SetCaptureFile("/dev/full");
    capture.SetCapture(cmAppend);
    ASSERT_TRUE(capture.IsCapturing());
    std::string shown;
    for (size_t i = 0; i < CaptureWriter::kBufferSize; ++i)
        shown += static_cast<char>('A' + i % 26);
    for (char c : shown)
        capture.Append(static_cast<std::uint8_t>(c));
    // The write failed: off without a word, the bytes kept.
    EXPECT_EQ(capture.Capture(), cmOff);
    EXPECT_FALSE(capture.IsCapturing());
    EXPECT_EQ(capture.Pending(), shown.size());
    capture.Append('?'); // capture is off: not recorded

    capture.SetCaptureFile(dir / "next.txt");
    capture.SetCapture(cmOn);
    capture.Append('Z');
    capture.SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "next.txt"), shown + "Z");
}

} // namespace

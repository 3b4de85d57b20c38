// Capture file names and the tests of File > Open and the timer.
#include "CaptureFiles.h"
#include "FileShare.h"
#include "ShortDate.h"
#include "TestSupport.h"

#include <clocale>
#include <fcntl.h>
#include <gtest/gtest.h>

using namespace tillscribe;
using test::TempDir;
using test::WriteFile;

namespace {

TEST(CaptureFileNames, FirstFreeNumberWithGapsReused)
{
    TempDir dir;
    const std::string first = NextCaptureFileName(dir.Folder(), "12/9/2025");
    EXPECT_EQ(first, dir / "12_9_2025_1.txt");
    WriteFile(first, "");
    EXPECT_EQ(NextCaptureFileName(dir.Folder(), "12/9/2025"), dir / "12_9_2025_2.txt");
    WriteFile(dir / "12_9_2025_2.txt", "");
    std::filesystem::remove(first);
    EXPECT_EQ(NextCaptureFileName(dir.Folder(), "12/9/2025"), first);
}

TEST(CaptureFileNames, OnlySlashesBecomeUnderscores)
{
    TempDir dir;
    EXPECT_EQ(NextCaptureFileName(dir.Folder(), "09.12.2025"), dir / "09.12.2025_1.txt");
    EXPECT_EQ(NextCaptureFileName(dir.Folder(), "2025-12-09"), dir / "2025-12-09_1.txt");
}

TEST(CaptureFileNames, ShortDateFollowsLocale)
{
    std::tm date{};
    date.tm_year = 2025 - 1900;
    date.tm_mon = 11;
    date.tm_mday = 9;
    const std::string saved = std::setlocale(LC_TIME, nullptr);
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(ShortDate(date), "12/09/25");
    std::setlocale(LC_TIME, saved.c_str());
}

TEST(CaptureFileTests, SizeLimitIsInclusive)
{
    TempDir dir;
    WriteFile(dir / "at.txt", std::string(kCaptureFileSizeLimit, 'x'));
    WriteFile(dir / "over.txt", std::string(kCaptureFileSizeLimit + 1, 'x'));
    EXPECT_FALSE(IsOverSizeLimit(dir / "at.txt"));
    EXPECT_TRUE(IsOverSizeLimit(dir / "over.txt"));
    EXPECT_FALSE(IsOverSizeLimit(dir / "missing.txt"));
    // Hidden files count like any other.
    WriteFile(dir / ".hidden", std::string(kCaptureFileSizeLimit + 1, 'x'));
    EXPECT_TRUE(IsOverSizeLimit(dir / ".hidden"));
}

TEST(CaptureFileTests, InUseWhileAWriterHoldsIt)
{
    TempDir dir;
    const std::string name = dir / "cap.txt";
    WriteFile(name, "x");
    EXPECT_FALSE(IsInUse(name));
    {
        SharedOpenResult writer = OpenShared(name, O_RDWR, kAccessReadWrite, kShareReadWrite);
        ASSERT_TRUE(writer.fd);
        EXPECT_TRUE(IsInUse(name));
    }
    EXPECT_FALSE(IsInUse(name));
    std::filesystem::create_directory(dir / "folder");
    EXPECT_TRUE(IsInUse(dir / "folder"));
}

TEST(CaptureFileTests, TxtAddedOnlyToNewNamesWithoutIt)
{
    TempDir dir;
    WriteFile(dir / "journal.log", "");
    WriteFile(dir / "plain", "");
    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {dir / "new", dir / "new.txt"},
        {dir / "new.TXT", dir / "new.TXT"},
        {dir / "new.Txt", dir / "new.Txt"},
        {dir / "new.log", dir / "new.log.txt"},
        {dir / "journal.log", dir / "journal.log"},
        {dir / "plain", dir / "plain"},
        {"txt", "txt.txt"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WithTxtExtension(c.name), c.expected) << c.name;
}

} // namespace

// The old program's ".CAP" capture files renamed to ".txt".
#include "FileNameUpdate.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace tillscribe;
namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const fs::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string()
                     + (fs::is_symlink(entry.symlink_status())     ? "@"
                            : fs::is_directory(entry.symlink_status()) ? "/"
                                                                       : ""));
    return names;
}

struct Case {
    const char *name;
    std::vector<std::string> files;   // "name/" is a folder, "name@" a link
    std::set<std::string> afterwards;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class Renaming : public ::testing::TestWithParam<Case> {};

TEST_P(Renaming, OldFolder)
{
    const Case &c = GetParam();
    test::TempDir dir;
    ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
    // Wine's folder is "Program Files"; the old program's in capitals.
    const fs::path old = dir / "wine/drive_c/Program Files/TILLSCRIBE";
    fs::create_directories(old);
    for (const std::string &f : c.files) {
        if (f.back() == '/')
            fs::create_directory(old / f.substr(0, f.size() - 1));
        else if (f.back() == '@')
            fs::create_symlink("/nowhere", old / f.substr(0, f.size() - 1));
        else
            test::WriteFile((old / f).string(), f);
    }
    const std::string folder = OldProgramFolder();
    ASSERT_EQ(folder, old.string() + "/");
    RenameOldCaptureFiles(folder);
    EXPECT_EQ(Entries(old), c.afterwards);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(FileNameUpdate, Renaming, ::testing::Values(
    Case{"CapturesRenamedOthersKept", {"Z7A.CAP", "jan.cap", "NOTES.TXT", "OLD.CAP/"},
         {"Z7A.txt", "JAN.txt", "NOTES.TXT", "OLD.CAP/"}},
    Case{"NeverReplacesAFile", {"Z7A.CAP", "Z7A.txt", "B.CAP"}, {"Z7A.CAP", "Z7A.txt", "B.txt"}},
    Case{"OnlyTheLastExtension", {"LOG.CAP.BAK", "CAPS.CAP"}, {"LOG.CAP.BAK", "CAPS.txt"}},
    Case{"LinksLeftAlone", {"LINK.CAP@", "R.CAP"}, {"LINK.CAP@", "R.txt"}}
), test::CaseName<Case>);
// clang-format on

TEST(FileNameUpdate, TwoSpellingsOfOneNameRenameOnce)
{
    test::TempDir dir;
    test::WriteFile(dir / "z7a.cap", "a");
    test::WriteFile(dir / "Z7A.Cap", "b");
    EXPECT_EQ(RenameOldCaptureFiles(dir.Folder()), 1);
    const std::set<std::string> after = Entries(dir.Folder());
    EXPECT_EQ(after.size(), 2u);
    EXPECT_EQ(after.count("Z7A.txt"), 1u);
}

TEST(FileNameUpdate, MissingFolderRenamesNothing)
{
    test::TempDir dir;
    ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
    EXPECT_EQ(OldProgramFolder(), "");
    EXPECT_EQ(RenameOldCaptureFiles(OldProgramFolder()), 0);
    // Found whatever the case of the folder's name.
    fs::create_directories(dir / "wine/drive_c/Program Files/Tillscribe");
    EXPECT_EQ(OldProgramFolder(), dir / "wine/drive_c/Program Files/Tillscribe/");
}

} // namespace

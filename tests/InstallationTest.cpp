// A silent installation into a temporary home, then the uninstaller.
#include "Installation.h"
#include "StRegIni.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace tillscribe;
namespace fs = std::filesystem;

namespace {

std::set<std::string> Tree(const fs::path &root)
{
    std::set<std::string> paths;
    for (const auto &entry : fs::recursive_directory_iterator(root))
        paths.insert(entry.path().string());
    return paths;
}

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("HOME", (dir / "home").c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("WINEPREFIX", (dir / "home/.wine").c_str(), 1);
        fs::create_directories(dir / "home");
        fs::create_directories(dir / "dist");
        fs::create_directories(dir / "build");
        test::WriteFile(dir / "build/program", "#!/bin/sh\n");
        test::WriteFile(dir / "build/help.html", "<html></html>");
        test::WriteFile(dir / "build/uninstall", "#!/bin/sh\n");
        PackArchive(dir / "dist/files.1", {{kProgramFileName, dir / "build/program"},
                                           {kHelpFileName, dir / "build/help.html"},
                                           {kUninstallerName, dir / "build/uninstall"}});
        options.distributionFolder = dir / "dist";
        options.destination = dir / "home/opt/VELDRAN SYSTEMS/TILLSCRIBE";
    }
    void TearDown() override { ::setenv("HOME", home_.c_str(), 1); }

    test::TempDir dir;
    InstallOptions options;
    std::string home_ = std::getenv("HOME") ? std::getenv("HOME") : "/root";
};

TEST_F(InstallationTest, InstallsEverythingAndUninstallLeavesTheHomeAsFound)
{
    const std::set<std::string> before = Tree(dir / "home");
    const InstallResult result = Install(options);
    ASSERT_TRUE(result.complete) << (result.failures.empty() ? "" : result.failures.front());

    const std::string dest = options.destination;
    for (const char *name : {kProgramFileName, kHelpFileName, kUninstallerName, kInstallRecordName})
        EXPECT_TRUE(fs::exists(dest + "/" + name)) << name;

    TStRegIni record(dest + "/" + kInstallRecordName);
    record.SetCurSubKey("Uninstall");
    EXPECT_EQ(record.ReadString("DisplayName", ""), "TILLSCRIBE");
    EXPECT_EQ(record.ReadString("UninstallString", ""), dest + "/uninstall TILLSCRIBE");
    record.SetCurSubKey("Help");
    EXPECT_EQ(record.ReadString("TILLSCRIBE.HTML", ""), dest);

    const std::string apps = dir / "home/.local/share/applications";
    const std::vector<std::string> entries = {
        apps + "/veldran-tillscribe-uninstall.desktop", apps + "/veldran-tillscribe-vivudiv.desktop",
        apps + "/veldran-tillscribe-help.desktop",
        dir / "home/.local/share/desktop-directories/veldran-menu-veldran-systems.directory",
        dir / "home/Desktop/tillscribe-vivudiv.desktop"};
    for (const std::string &entry : entries) {
        ASSERT_TRUE(fs::exists(entry)) << entry;
        if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
            EXPECT_EQ(std::system(("desktop-file-validate '" + entry + "'").c_str()), 0) << entry;
        }
    }
    const std::string menu =
        test::ReadFile(dir / "home/.config/menus/applications-merged/veldran-menu-veldran-systems.menu");
    EXPECT_NE(menu.find("<Name>VELDRAN SYSTEMS</Name>"), std::string::npos);
    EXPECT_NE(menu.find("<Filename>veldran-tillscribe-vivudiv.desktop</Filename>"), std::string::npos);
    EXPECT_NE(test::ReadFile(apps + "/veldran-tillscribe-vivudiv.desktop")
                  .find("Exec=\"" + dest + "/Tillscribe - Vivudiv\""),
              std::string::npos);

    EXPECT_TRUE(Uninstall(dest).empty());
    EXPECT_EQ(Tree(dir / "home"), before);
}

TEST_F(InstallationTest, UninstallKeepsWhatTheProgramWrote)
{
    ASSERT_TRUE(Install(options).complete);
    const std::string dest = options.destination;
    test::WriteFile(dest + "/12_9_2025_1.txt", "journal");
    test::WriteFile(dest + "/YXOD172.UJJ", "[Maintain]\r\n");
    EXPECT_TRUE(Uninstall(dest).empty());
    EXPECT_EQ(test::ReadFile(dest + "/12_9_2025_1.txt"), "journal");
    EXPECT_TRUE(fs::exists(dest + "/YXOD172.UJJ"));
    EXPECT_FALSE(fs::exists(dest + "/" + kProgramFileName));
    EXPECT_FALSE(fs::exists(dir / "home/Desktop/tillscribe-vivudiv.desktop"));
}

TEST_F(InstallationTest, MissingDistributionIsAnIncompleteInstallation)
{
    options.distributionFolder = dir / "nowhere";
    const InstallResult result = Install(options);
    EXPECT_FALSE(result.complete);
    ASSERT_FALSE(result.failures.empty());
    EXPECT_NE(result.failures.front().find("files.1"), std::string::npos);
}

TEST_F(InstallationTest, OldCaptureFilesRenamedAfterTheCopy)
{
    const fs::path old = dir / "home/.wine/drive_c/Program Files/TILLSCRIBE";
    fs::create_directories(old);
    test::WriteFile(old / "jan.cap", "x");
    Install(options);
    EXPECT_TRUE(fs::exists(old / "JAN.txt"));

    // A copy cancelled half-way still renames.
    test::WriteFile(old / "feb.cap", "y");
    const InstallResult cancelled = Install(options, [](std::uint64_t, std::uint64_t) { return false; });
    EXPECT_FALSE(cancelled.complete);
    EXPECT_TRUE(fs::exists(old / "FEB.txt"));
}

} // namespace

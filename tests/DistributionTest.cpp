// The built distribution: setup --silent into a temporary home, then the
// installed uninstaller; and Tillsetup refusing to start without -s.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

int RunShell(const std::string &command)
{
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::set<std::string> Tree(const fs::path &root)
{
    std::set<std::string> paths;
    for (const auto &entry : fs::recursive_directory_iterator(root))
        paths.insert(entry.path().string());
    return paths;
}

TEST(Distribution, SilentInstallThenUninstallLeavesTheHomeAsFound)
{
    tillscribe::test::TempDir dir;
    fs::create_directories(dir / "home");
    const std::string env = "HOME='" + (dir / "home") + "' WINEPREFIX='" + (dir / "home/.wine")
        + "' XDG_DATA_HOME= XDG_CONFIG_HOME= ";
    const std::string dest = dir / "home/opt/VELDRAN SYSTEMS/TILLSCRIBE";
    const auto before = Tree(dir / "home");

    ASSERT_EQ(RunShell(env + "'" TILLSCRIBE_DISTRIBUTION "/setup' --silent --dest '" + dest + "'"), 0);
    for (const char *name : {"Tillscribe - Vivudiv", "TILLSCRIBE.html", "uninstall", "install-record.ini"})
        EXPECT_TRUE(fs::exists(dest + "/" + name)) << name;
    EXPECT_TRUE(fs::exists(dir / "home/Desktop/tillscribe-vivudiv.desktop"));
    EXPECT_TRUE(fs::exists(dir / "home/.local/share/applications/veldran-tillscribe-vivudiv.desktop"));
    // The program installed is the capture program.
    EXPECT_EQ(fs::file_size(dest + "/Tillscribe - Vivudiv"), fs::file_size(TILLSCRIBE_PROGRAM));

    EXPECT_EQ(RunShell(env + "'" + dest + "/uninstall' --silent TILLSCRIBE"), 0);
    EXPECT_EQ(Tree(dir / "home"), before);
}

TEST(Distribution, InstallerRefusesWithoutTheLoadingProgramsPath)
{
    tillscribe::test::TempDir dir;
    EXPECT_EQ(RunShell("'" TILLSETUP "' --silent 2>'" + (dir / "err") + "'"), 2);
    EXPECT_NE(tillscribe::test::ReadFile(dir / "err").find("the path of the loading program was not passed"),
              std::string::npos);
}

} // namespace

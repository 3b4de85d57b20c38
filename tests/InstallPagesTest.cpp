// Tillsetup's page window: the order of the pages, cancel, a full install.
#include "TestSupport.h"
#include "installationV6.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tillscribe;
namespace fs = std::filesystem;

namespace {

class InstallPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home_ = std::getenv("HOME") ? std::getenv("HOME") : "/root";
        ::setenv("HOME", (dir / "home").c_str(), 1);
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("XDG_CONFIG_HOME");
        ::setenv("WINEPREFIX", (dir / "home/.wine").c_str(), 1);
        fs::create_directories(dir / "home/.wine/drive_c/Program Files/TILLSCRIBE");
        test::WriteFile(dir / "home/.wine/drive_c/Program Files/TILLSCRIBE/OLD.CAP", "old");
        fs::create_directories(dir / "dist");
        test::WriteFile(dir / "program", "#!/bin/sh\n");
        PackArchive(dir / "dist/files.1", {{kProgramFileName, dir / "program"}});
        options.distributionFolder = dir / "dist";
        options.destination = dir / "home/dest";
    }
    void TearDown() override { ::setenv("HOME", home_.c_str(), 1); }

    test::TempDir dir;
    InstallOptions options;
    std::string home_;
};

TEST_F(InstallPagesTest, PagesInOrderWithPreviousBackToTheFirst)
{
    InstallPages pages(options);
    pages.show();
    EXPECT_EQ(pages.windowTitle(), "TILLSCRIBE INSTALL");
    EXPECT_FALSE(pages.BackBtn->isVisible());
    EXPECT_EQ(pages.size(), QSize(478, 395));
    QStringList captions;
    for (int i = 0; i < 5; ++i) {
        pages.ProceedBtn->click();
        captions << pages.windowTitle();
    }
    EXPECT_EQ(captions, (QStringList{"Welcome", "Software license agreement", "Readme information",
                                     "Setup type", "Select folder in start menu"}));
    for (int i = 0; i < 4; ++i)
        pages.BackBtn->click();
    EXPECT_EQ(pages.windowTitle(), "Welcome");
    pages.BackBtn->click();
    EXPECT_EQ(pages.windowTitle(), "TILLSCRIBE INSTALL");
    EXPECT_FALSE(pages.BackBtn->isVisible());
}

TEST_F(InstallPagesTest, LicenseHasItsFourteenLines)
{
    InstallPages pages(options);
    pages.ProceedBtn->click();
    pages.ProceedBtn->click();
    const QStringList lines = pages.memLicense->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "      ");
    EXPECT_EQ(lines[13], QString(27, ' ') + "https://www.example.com/");
}

TEST_F(InstallPagesTest, CancelBeforeTheCopyCopiesAndRenamesNothing)
{
    InstallPages pages(options);
    pages.ProceedBtn->click();
    pages.ProceedBtn->click();
    pages.CancelBtn->click();
    EXPECT_EQ(pages.windowTitle(), "Setup incomplete");
    EXPECT_FALSE(fs::exists(dir / "home/dest"));
    EXPECT_TRUE(fs::exists(dir / "home/.wine/drive_c/Program Files/TILLSCRIBE/OLD.CAP"));
}

TEST_F(InstallPagesTest, NextThroughEveryPageInstalls)
{
    InstallPages pages(options);
    for (int i = 0; i < 6; ++i)
        pages.ProceedBtn->click();
    EXPECT_EQ(pages.windowTitle(), "Setup complete");
    EXPECT_TRUE(pages.Result().complete);
    EXPECT_TRUE(fs::exists(fs::path(dir / "home/dest") / kProgramFileName));
    EXPECT_TRUE(fs::exists(dir / "home/.wine/drive_c/Program Files/TILLSCRIBE/OLD.txt"));
    EXPECT_EQ(pages.ProceedBtn->text(), "Finish");
}

} // namespace

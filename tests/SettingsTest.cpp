// The settings file: where it lies, what it reads as, what a write keeps.
#include "TestSupport.h"
#include "TillscribeGlobals.h"

#include <gtest/gtest.h>

using namespace tillscribe;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsPlaces Places() const
    {
        SettingsPlaces places;
        places.fixedFolder = dir / "wine/drive_c/Program Files/Borland/Common Files/BDE";
        places.programPath = dir / "program/tillscribe";
        return places;
    }
    void SetUp() override { std::filesystem::create_directories(dir / "program"); }
    TempDir dir;
};

TEST_F(SettingsTest, FirstStartCreatesFileAndFirstCloseWritesKeysInOrder)
{
    const MaintainSettings read = ReadMaintainSettings(Places());
    EXPECT_EQ(read.CommPort, "None Selected");
    EXPECT_EQ(read.PhoneNum, "");
    EXPECT_FALSE(read.AutoConnect);
    EXPECT_EQ(read.Register, 0);
    const std::string file = dir / "program/YXOD172.UJJ";
    EXPECT_EQ(ReadFile(file), "[Maintain]\r\n");

    WriteMaintainSettings(read, Places());
    EXPECT_EQ(ReadFile(file), "[Maintain]\r\nCommPort=None Selected\r\nPhoneNum=\r\nRegister=0\r\n"
                              "AutoConnect=FALSE\r\n");
}

TEST_F(SettingsTest, StoredTextsReadAs)
{
    const struct {
        std::string autoConnect;
        bool checked;
        std::string registerText;
        int model;
    } cases[] = {
        {"true", true, "3", 3},      {"True", true, "abc", 0}, {"1", true, "", 0},
        {"-1", true, "9", 9},        {"2.5", true, "-1", -1},  {"1E3", true, " 7", 7},
        {"false", false, "3.0", 0},  {"0", false, "99999999999", 0},
        {"0.0", false, "+2", 2},     {"yes", false, "0x10", 0}, {"", false, "2 ", 2},
        {"1.", false, "-", 0},
    };
    for (const auto &c : cases) {
        WriteFile(dir / "program/yxod172.ujj", "[Maintain]\nAutoConnect=" + c.autoConnect
                                                   + "\nRegister=" + c.registerText + "\n");
        const MaintainSettings read = ReadMaintainSettings(Places());
        EXPECT_EQ(read.AutoConnect, c.checked) << "AutoConnect=" << c.autoConnect;
        EXPECT_EQ(read.Register, c.model) << "Register=" << c.registerText;
    }
}

TEST_F(SettingsTest, HandEditedFileKeepsEverythingElse)
{
    const std::string file = dir / "program/Yxod172.Ujj";
    WriteFile(file, "; written by hand\r\n[other]\r\nkeep=1\r\n\r\n[maintain]\r\ncommport=Direct to COM3\r\n"
                    "Extra = value \r\nphonenum=555\r\n\r\n[Last]\r\nx=y\r\n");
    const MaintainSettings read = ReadMaintainSettings(Places());
    EXPECT_EQ(read.CommPort, "Direct to COM3");
    EXPECT_EQ(read.PhoneNum, "555");
    MaintainSettings changed = read;
    changed.CommPort = "Direct to COM12";
    changed.AutoConnect = true;
    WriteMaintainSettings(changed, Places());
    // Found whatever the case of its name: no second file was made.
    EXPECT_FALSE(std::filesystem::exists(dir / "program/YXOD172.UJJ"));
    EXPECT_EQ(ReadFile(file), "; written by hand\r\n[other]\r\nkeep=1\r\n\r\n[maintain]\r\n"
                              "CommPort=Direct to COM12\r\nExtra = value \r\nPhoneNum=555\r\n"
                              "Register=0\r\nAutoConnect=TRUE\r\n\r\n[Last]\r\nx=y\r\n");
}

TEST_F(SettingsTest, FixedFolderWinsWhenItExists)
{
    std::filesystem::create_directories(Places().fixedFolder);
    WriteMaintainSettings({"Office modem", "", false, 2}, Places());
    EXPECT_TRUE(std::filesystem::exists(Places().fixedFolder + "/YXOD172.UJJ"));
    EXPECT_FALSE(std::filesystem::exists(dir / "program/YXOD172.UJJ"));
    EXPECT_EQ(ReadMaintainSettings(Places()).CommPort, "Office modem");
}

TEST_F(SettingsTest, NameByVariant)
{
    SettingsPlaces places = Places();
    const std::pair<int, std::string> names[] = {
        {0, "program/ICCR424.CGR"}, {2, "program/ICSH424.CGR"}, {7, "program/TILLSCRIBE.CGR"}};
    for (const auto &[variant, name] : names) {
        places.variant = variant;
        EXPECT_EQ(SettingsFileName(places), dir / name) << variant;
    }
    // Other variants ignore the fixed folder, and Register is not kept.
    std::filesystem::create_directories(places.fixedFolder);
    places.variant = 7;
    places.programPath = dir / "program/till.exe";
    EXPECT_EQ(SettingsFileName(places), dir / "program/TILL.CGR");
    WriteMaintainSettings({"None Selected", "", false, 5}, places);
    EXPECT_EQ(ReadFile(dir / "program/TILL.CGR").find("Register"), std::string::npos);
}

TEST_F(SettingsTest, UnwritableLocationRaisesTheError)
{
    SettingsPlaces places = Places();
    WriteFile(dir / "afile", "");
    places.programPath = dir / "afile/tillscribe"; // a folder beneath a file
    try {
        ReadMaintainSettings(places);
        FAIL() << "no error";
    } catch (const EStRegIniError &e) {
        EXPECT_STREQ(e.what(), "Failed to write value to INI file");
    }
}

TEST_F(SettingsTest, LinkedFileWrittenThroughAndUnreadableFileKept)
{
    WriteFile(dir / "real.ini", "[Maintain]\r\nPhoneNum=1\r\n");
    std::filesystem::create_symlink(dir / "real.ini", dir / "program/YXOD172.UJJ");
    WriteMaintainSettings({"None Selected", "2", false, 0}, Places());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "program/YXOD172.UJJ"));
    EXPECT_NE(ReadFile(dir / "real.ini").find("PhoneNum=2"), std::string::npos);

    // A folder where the file should be cannot be read: nothing replaces it.
    TStRegIni ini(dir / "folder.ini");
    std::filesystem::create_directory(dir / "folder.ini");
    ini.SetCurSubKey("Maintain");
    EXPECT_THROW(ini.WriteString("CommPort", "x"), EStRegIniError);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
}

TEST_F(SettingsTest, ProfileStringRules)
{
    TStRegIni ini(dir / "t.ini");
    ini.SetCurSubKey("Sec");
    ini.WriteString("Long", std::string(2000, 'v'));
    EXPECT_EQ(ini.ReadString("long", ""), std::string(1023, 'v'));
    ini.WriteString("Quoted", "\"a b\"");
    EXPECT_EQ(ini.ReadString("QUOTED", ""), "a b");
    // A line break cannot smuggle in a key of its own.
    ini.WriteString("Phone", "555\r\nAutoConnect=TRUE");
    EXPECT_EQ(ini.ReadString("AutoConnect", "none"), "none");
    ini.WriteInteger("N", -42);
    EXPECT_EQ(ini.ReadInteger("n", 0), -42);
    ini.DeleteKey("n");
    EXPECT_EQ(ini.ReadInteger("N", 7), 7);
    ini.SetCurSubKey("Other");
    EXPECT_EQ(ini.ReadString("Long", "missing"), "missing");
}

} // namespace

// The device dialog's list: telephony devices, then the ports that exist.
#include "DeviceDialog.h"
#include "PtyPort.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace tillscribe;

namespace {

class DeviceDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        std::filesystem::create_directories(dir / "wine/dosdevices");
    }
    test::TempDir dir;
};

TEST_F(DeviceDialogTest, ListsModemsThenExistingPortsAndPreselects)
{
    std::filesystem::create_directories(dir / "config/tillscribe");
    test::WriteFile(dir / "config/tillscribe/modems.ini",
                    "[Office modem]\r\nPort=COM3\r\n\r\n[]\nPort=/dev/ttyUSB0\n");
    test::PtyPort com12(12), com3(3);
    std::filesystem::create_symlink(dir / "nowhere", dir / "wine/dosdevices/com4");

    DeviceDialog dialog;
    dialog.SetPreselection(tmOff, 12, "");
    dialog.BuildList();
    const QStringList entries = dialog.Entries();
    ASSERT_GE(entries.size(), 4);
    EXPECT_EQ(entries.mid(0, 2), (QStringList{"Office modem", "<noname>"}));
    EXPECT_TRUE(entries.contains("Direct to COM3"));
    EXPECT_TRUE(entries.contains("Direct to COM12"));
    EXPECT_FALSE(entries.contains("Direct to COM4"));
    EXPECT_EQ(dialog.SelectedName(), "Direct to COM12");
    EXPECT_EQ(DeviceDialog::DirectPortNumber(dialog.SelectedName()), 12);

    DeviceDialog byName;
    byName.SetShowPorts(false);
    byName.SetPreselection(tmAuto, 0, "Office modem");
    byName.BuildList();
    EXPECT_EQ(byName.Entries(), (QStringList{"Office modem", "<noname>"}));
    EXPECT_EQ(byName.SelectedName(), "Office modem");

    DeviceDialog unknown;
    unknown.SetPreselection(tmAuto, 0, "Gone modem");
    unknown.BuildList();
    EXPECT_EQ(unknown.SelectedName(), "Office modem"); // the first entry
}

TEST_F(DeviceDialogTest, NoModemListNoPortsGivesEmptyName)
{
    DeviceDialog dialog;
    dialog.SetShowPorts(false);
    dialog.BuildList();
    EXPECT_TRUE(dialog.Entries().isEmpty());
    EXPECT_EQ(dialog.SelectedName(), "");
}

} // namespace

// The main window dialling a register's modem through the modem dialer.
#include "Application.h"
#include "FilterSupport.h"
#include "HeadlessCapture.h"
#include "MessageBoxes.h"
#include "ModemSimulator.h"
#include "ModemTapiDevice.h"
#include "TerminalWidget.h"
#include "QtTestSupport.h"
#include "RecordingBoxes.h"
#include "TestSupport.h"
#include "TillscribeGlobals.h"
#include "TillscribeMainFm.h"
#include "TillscribeVivudivUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace tillscribe;

namespace {

using test::Filtered;
using test::RecordingBoxes;
using test::WaitUntil;

class ModemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        std::filesystem::create_directories(dir / "config/tillscribe");
        test::WriteFile(dir / "config/tillscribe/modems.ini",
                        "[Office modem]\nPort=" + modem.SlavePath() + "\nSpeed=9600\nInit=ATZ\n");
        SetMessageBoxes(&boxes);
        VivudivFilterState() = {};
        stored.CommPort = "Office modem";
        stored.PhoneNum = "5551";
        stored.Register = 1;
    }
    void TearDown() override
    {
        form.reset();
        SetMessageBoxes(nullptr);
    }

    TfrmTillscribeMain &Create(bool formCreate = true)
    {
        MainWindowServices services;
        services.captureFolder = dir.Folder();
        services.shortDate = [] { return std::string("12/9/2025"); };
        services.readSettings = [this] { return stored; };
        services.writeSettings = [this](const MaintainSettings &s) {
            written = s;
            hungUpBeforeSaving = modem.commands.contains("ATH0");
        };
        form = std::make_unique<TfrmTillscribeMain>(services);
        tapi = dynamic_cast<ModemTapiDevice *>(form->ApdTapiDevice1);
        ModemTapiDevice::Timing timing;
        timing.redialWait = 300;
        timing.commandWait = 3000;
        timing.resultWait = 3000;
        timing.guardTime = 150;
        tapi->SetTiming(timing);
        tapi->SetChooseDevice([this](const QStringList &names) {
            offered = names;
            return chooseInDialog;
        });
        if (formCreate)
            form->FormCreate();
        return *form;
    }

    QString Status() const { return form->lblCaptureStatus->text(); }

    test::TempDir dir;
    std::string journal = "No. 42\x1b" "E1i BREAD 2.49\nTOTAL 2.49\nNO CARRIER looks like data\n";
    test::ModemSimulator modem{journal};
    RecordingBoxes boxes;
    MaintainSettings stored;
    std::optional<MaintainSettings> written;
    bool hungUpBeforeSaving = false;
    QStringList offered;
    QString chooseInDialog;
    ModemTapiDevice *tapi = nullptr;
    std::unique_ptr<TfrmTillscribeMain> form;
};

TEST_F(ModemTest, DialConnectCollectHangUp)
{
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    EXPECT_EQ(Status(), "DIALING");
    ASSERT_TRUE(WaitUntil([&] { return Status() == "COLLECTING"; }));
    EXPECT_EQ(window.edtCaptureFile->text(), window.ApdTerminal1->CaptureFile());
    ASSERT_TRUE(WaitUntil([&] { return modem.JournalPlayed(); }));
    ASSERT_TRUE(WaitUntil([&] {
        return window.ApdTerminal1->Core().Capturer().Pending() >= Filtered(1, journal).size();
    }));
    window.btnConnect->click(); // hang up
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_TRUE(modem.commands.contains("ATH0"));
    EXPECT_FALSE(modem.CallUp());
    EXPECT_FALSE(window.ApdComPort1->IsOpen());
    EXPECT_EQ(window.ApdComPort1->TapiMode(), tmOff);
    // Only the register's bytes: no echo, no result code, no OK.
    EXPECT_EQ(test::ReadFile(dir / "12_9_2025_1.txt"), Filtered(1, journal));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join("|").toStdString();
}

TEST_F(ModemTest, AutoConnectDialsAtStart)
{
    stored.AutoConnect = true;
    Create();
    EXPECT_EQ(Status(), "DIALING");
    EXPECT_TRUE(WaitUntil([&] { return Status() == "COLLECTING"; }));
}

TEST_F(ModemTest, NoModemListMeansNoDial)
{
    std::filesystem::remove(dir / "config/tillscribe/modems.ini");
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_EQ(boxes.shown, QStringList{"Unable to Connect to Modem"});
    EXPECT_EQ(modem.dials, 0);
}

TEST_F(ModemTest, UnknownDeviceOffersTheModems)
{
    stored.CommPort = "Gone modem";
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    EXPECT_EQ(offered, QStringList{"Office modem"});
    EXPECT_EQ(boxes.shown, QStringList{"Unable to Connect to Modem"}); // cancelled
    EXPECT_EQ(Status(), "IDLE");

    chooseInDialog = "Office modem";
    window.btnConnect->click();
    EXPECT_EQ(Status(), "DIALING");
    EXPECT_TRUE(WaitUntil([&] { return modem.dials == 1; }));
    EXPECT_EQ(window.btnComPort->text(), "Gone modem"); // the caption stays
}

TEST_F(ModemTest, BusyLineRedialledThenGivenUpQuietly)
{
    stored.PhoneNum = "5552";
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_TRUE(WaitUntil([&] { return modem.dials == 3 && !tapi->CallInProgress(); }));
    for (int i = 0; i < 50; ++i) // no fourth attempt comes
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(modem.dials, 3);
    EXPECT_EQ(Status(), "DIALING");
    EXPECT_EQ(window.btnConnect->text(), "&Disconnect");
    EXPECT_TRUE(boxes.shown.isEmpty());
    window.btnConnect->click();
    EXPECT_EQ(Status(), "IDLE");
}

TEST_F(ModemTest, DisconnectWhileDialing)
{
    stored.PhoneNum = "5559"; // never answers
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_TRUE(WaitUntil([&] { return modem.dials == 1; }));
    window.btnConnect->click();
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_TRUE(modem.commands.contains("ATH0"));
    EXPECT_FALSE(window.ApdComPort1->IsOpen());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ModemTest, CloseWhileCollectingHangsUpBeforeSaving)
{
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_TRUE(WaitUntil([&] { return Status() == "COLLECTING"; }));
    EXPECT_TRUE(window.close());
    ASSERT_TRUE(written);
    EXPECT_TRUE(hungUpBeforeSaving);
}

} // namespace

namespace {

// The capture station without a window, dialling the same modem.
TEST_F(ModemTest, HeadlessServiceDialsCollectsAndHangsUp)
{
    std::vector<std::string> said;
    HeadlessOptions headless;
    headless.device = "Office modem";
    headless.phone = "5551";
    headless.model = 1;
    headless.folder = dir.Folder();
    headless.shortDate = [] { return std::string("12/9/2025"); };
    auto station = std::make_unique<HeadlessCapture>(headless, [&said](const std::string &line) {
        said.push_back(line);
    });
    ASSERT_TRUE(station->Start());
    ASSERT_TRUE(WaitUntil([&] { return std::find(said.begin(), said.end(), "COLLECTING") != said.end(); }));
    ASSERT_TRUE(WaitUntil([&] { return modem.JournalPlayed(); }));
    ASSERT_TRUE(WaitUntil([&] { return station->Core().Capturer().Pending() >= Filtered(1, journal).size(); }));
    station->Stop();
    EXPECT_TRUE(modem.commands.contains("ATH0"));
    EXPECT_EQ(test::ReadFile(dir / "12_9_2025_1.txt"), Filtered(1, journal));
}

} // namespace

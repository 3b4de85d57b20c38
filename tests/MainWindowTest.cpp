// The main window under an offscreen platform: states, messages, capture.
#include "Application.h"
#include "ComPort.h"
#include "MessageBoxes.h"
#include "FilterSupport.h"
#include "PtyPort.h"
#include "RecordingBoxes.h"
#include "TapiDevice.h"
#include "TerminalWidget.h"
#include "QtTestSupport.h"
#include "TestSupport.h"
#include "TillscribeGlobals.h"
#include "TillscribeMainFm.h"
#include "TillscribeViewLogsFm.h"
#include "TillscribeVivudivUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

using namespace tillscribe;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace {

using test::Box;
using test::RecordingBoxes;
using test::WaitUntil;

class FakeTapi : public TapiDevice {
public:
    void Dial(const QString &number) override
    {
        dialled.push_back(number);
        if (failDial)
            throw TapiError("no line");
    }
    void CancelCall() override { ++cancels; }
    bool failDial = false;
    QStringList dialled;
    int cancels = 0;
};

const QString kConnect = QStringLiteral("Connec&t");
const QString kDisconnect = QStringLiteral("&Disconnect");

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("WINEPREFIX", (dir / "wine").c_str(), 1);
        SetMessageBoxes(&boxes);
        VivudivFilterState() = {};
        stored.CommPort = "None Selected";
        stored.Register = 1;
    }
    void TearDown() override
    {
        form.reset();
        SetMessageBoxes(nullptr);
    }

    TfrmTillscribeMain &Create()
    {
        MainWindowServices services;
        services.captureFolder = dir.Folder();
        services.shortDate = [] { return std::string("12/9/2025"); };
        services.readSettings = [this] { return stored; };
        services.writeSettings = [this](const MaintainSettings &s) { written = s; };
        services.chooseFileToOpen = [this] { return fileToOpen; };
        services.runDeviceDialog = [](DeviceDialog &) { return false; };
        services.tapiDevice = &tapi;
        form = std::make_unique<TfrmTillscribeMain>(services);
        form->FormCreate();
        return *form;
    }

    std::string FirstFile() const { return dir / "12_9_2025_1.txt"; }
    QString Status() const { return form->lblCaptureStatus->text(); }
    QString Button() const { return form->btnConnect->text(); }

    TempDir dir;
    RecordingBoxes boxes;
    FakeTapi tapi;
    MaintainSettings stored;
    std::optional<MaintainSettings> written;
    QString fileToOpen;
    std::unique_ptr<TfrmTillscribeMain> form;
};

// Each row: a device and number, the clicks, and where the window ends.
struct StateRow {
    const char *name;
    const char *device;
    const char *phone;
    std::function<void(MainWindowTest &, TfrmTillscribeMain &, FakeTapi &)> act;
    const char *status;
    QString button;
    std::optional<Box> message;
    int cancels;
};

class StateTable : public MainWindowTest, public ::testing::WithParamInterface<StateRow> {};

void PrintTo(const StateRow &row, std::ostream *os)
{
    *os << row.name;
}

TEST_P(StateTable, Transition)
{
    const StateRow &row = GetParam();
    test::PtyPort com7(7);
    ASSERT_TRUE(com7.Ok());
    // COM8 is a link to nothing: it cannot be opened.
    std::filesystem::create_symlink(dir / "nowhere", dir / "wine/dosdevices/com8");
    stored.CommPort = row.device;
    stored.PhoneNum = row.phone;
    TfrmTillscribeMain &window = Create();
    row.act(*this, window, tapi);
    EXPECT_EQ(Status().toStdString(), row.status);
    EXPECT_EQ(Button(), row.button);
    if (row.message)
        EXPECT_EQ(boxes.all, std::vector<Box>{*row.message});
    else
        EXPECT_EQ(boxes.all, std::vector<Box>{});
    EXPECT_EQ(tapi.cancels, row.cancels);
}

void Click(MainWindowTest &, TfrmTillscribeMain &w, FakeTapi &)
{
    w.btnConnect->click();
}
void ClickTwice(MainWindowTest &t, TfrmTillscribeMain &w, FakeTapi &tapi)
{
    Click(t, w, tapi);
    w.btnConnect->click();
}

const Box kNoDeviceBox{MsgKind::Information, "No Device Selected"};
const Box kOpenFailBox{MsgKind::Error, "Unable to Open Port, it is either unavailable or in use"};
const Box kNeedPhoneBox{MsgKind::Error, "Need Phone Number"};
const Box kModemBox{MsgKind::Error, "Unable to Connect to Modem"};
const Box kNotConnectedBox{MsgKind::Information, "Not Currently Connected"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(MainWindow, StateTable, ::testing::Values(
    StateRow{"NoDevice", "None Selected", "", Click, "IDLE", kConnect, kNoDeviceBox, 0},
    StateRow{"DirectOpens", "Direct to COM7", "", Click, "COLLECTING", kDisconnect, {}, 0},
    StateRow{"DirectFails", "Direct to COM8", "", Click, "IDLE", kConnect, kOpenFailBox, 0},
    StateRow{"TelephonyNoNumber", "Office modem", "", Click, "IDLE", kConnect, kNeedPhoneBox, 0},
    StateRow{"TelephonyDialRaises", "Office modem", "5551234",
             [](auto &fixture, auto &window, auto &dialler) { dialler.failDial = true; Click(fixture, window, dialler); },
             "IDLE", kConnect, kModemBox, 0},
    StateRow{"TelephonyDialStarted", "Office modem", "5551234", Click, "DIALING", kDisconnect, {}, 0},
    StateRow{"ConnectedEvent", "Office modem", "5551234",
             [](auto &fixture, auto &window, auto &dialler) { Click(fixture, window, dialler); emit dialler.TapiConnect(); },
             "COLLECTING", kDisconnect, {}, 0},
    StateRow{"DirectDisconnect", "Direct to COM7", "", ClickTwice, "IDLE", kConnect, {}, 0},
    StateRow{"TelephonyHangUp", "Office modem", "5551234", ClickTwice, "IDLE", kConnect, {}, 1},
    StateRow{"TelephonyDisconnectNumberEmptied", "Office modem", "5551234",
             [](auto &fixture, auto &window, auto &dialler) { Click(fixture, window, dialler); window.edtDialStr->clear(); window.btnConnect->click(); },
             "IDLE", kConnect, kNotConnectedBox, 0},
    StateRow{"MenuDisconnectItemConnects", "Direct to COM7", "",
             [](auto &, auto &window, auto &) { window.mnuConnectionDisconnect->trigger(); },
             "COLLECTING", kDisconnect, {}, 0},
    StateRow{"PortNumberNotANumber", "Direct to COMx", "", Click, "CONNECTING", kDisconnect,
             Box{MsgKind::Error, "'x' is not a valid integer value"}, 0}
), test::CaseName<StateRow>);
// clang-format on

TEST_F(MainWindowTest, FirstStartShowsDefaults)
{
    stored = MaintainSettings{};
    stored.Register = 0;
    TfrmTillscribeMain &window = Create();
    EXPECT_EQ(window.btnComPort->text(), "None Selected");
    EXPECT_EQ(window.edtDialStr->text(), "");
    EXPECT_FALSE(window.chkAutoConnect->isChecked());
    EXPECT_TRUE(window.cbxRegister->isVisibleTo(&window));
    EXPECT_EQ(window.cbxRegister->currentText(), "ER-600");
    EXPECT_EQ(Status(), "IDLE");
    // A new, empty capture file at every start.
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), FirstFile());
    EXPECT_TRUE(std::filesystem::exists(FirstFile()));
    EXPECT_EQ(window.ApdTerminal1->focusPolicy(), Qt::ClickFocus);
}

TEST_F(MainWindowTest, DirectConnectCapturesExactlyTheFilteredBytes)
{
    test::PtyPort com7(7);
    ASSERT_TRUE(com7.Ok());
    stored.CommPort = "Direct to COM7";
    stored.Register = 1; // ER-650
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_EQ(Status(), "COLLECTING");

    // A burst of a megabyte, as fast as the line takes it.
    std::string raw;
    while (raw.size() < (1u << 20))
        raw += "No. " + std::to_string(raw.size()) + "\x1b" "E1i BREAD  2.49\r\n";
    ASSERT_TRUE(com7.Send(raw, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); }));
    const std::string expected = test::Filtered(1, raw);
    ASSERT_TRUE(WaitUntil([&] {
        return window.ApdTerminal1->Core().Capturer().Pending()
            + std::filesystem::file_size(FirstFile()) >= expected.size();
    }));
    window.btnConnect->click();
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_EQ(window.ApdTerminal1->Capture(), cmOff);
    EXPECT_EQ(ReadFile(FirstFile()), expected);
}

TEST_F(MainWindowTest, TypedKeysGoToTheLineAndAreNotShown)
{
    test::PtyPort com7(7);
    stored.CommPort = "Direct to COM7";
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    QTest::keyClicks(window.ApdTerminal1, "AB");
    QTest::keyClick(window.ApdTerminal1, Qt::Key_Return);
    std::string line;
    ASSERT_TRUE(WaitUntil([&] {
        char buffer[16];
        const ssize_t n = ::read(com7.Master(), buffer, sizeof buffer);
        if (n > 0)
            line.append(buffer, static_cast<size_t>(n));
        return line.size() >= 3;
    }));
    EXPECT_EQ(line, "AB\r");
    EXPECT_EQ(window.ApdTerminal1->Core().Capturer().Pending(), 0u);
    EXPECT_EQ(window.ApdTerminal1->RowText(0).trimmed(), "");
}

TEST_F(MainWindowTest, VanishedPortKeepsWhatWasCapturedWithoutMessages)
{
    auto com7 = std::make_unique<test::PtyPort>(7);
    stored.CommPort = "Direct to COM7";
    stored.Register = 5; // ER-6500: bytes pass as they are
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_TRUE(com7->Send("TOTAL 3.97"));
    ASSERT_TRUE(WaitUntil([&] { return window.ApdTerminal1->Core().Capturer().Pending() == 10; }));
    com7.reset(); // adapter pulled
    ASSERT_TRUE(WaitUntil([&] { return !window.ApdComPort1->IsOpen(); }, 5000));
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(boxes.all, std::vector<Box>{});
    EXPECT_EQ(Status(), "COLLECTING"); // the window is not told
    window.btnConnect->click();
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_EQ(ReadFile(FirstFile()), "TOTAL 3.97");
}

TEST_F(MainWindowTest, NewAndOpenRefusedWhileNotIdle)
{
    TfrmTillscribeMain &window = Create();
    for (const char *status : {"CONNECTING", "DIALING", "COLLECTING"}) {
        window.lblCaptureStatus->setText(QString::fromLatin1(status));
        boxes.all.clear();
        window.mnuFileNew->trigger();
        window.mnuFileOpen->trigger();
        const std::vector<Box> expected = {
            {MsgKind::Information, "You must disconnect before selecting New"},
            {MsgKind::Information, "You must disconnect before selecting Open"},
        };
        EXPECT_EQ(boxes.all, expected) << status;
        EXPECT_EQ(window.edtCaptureFile->text().toStdString(), FirstFile());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "12_9_2025_2.txt"));
}

TEST_F(MainWindowTest, FileNewStartsNextNumberAddingNothingToPrevious)
{
    TfrmTillscribeMain &window = Create();
    window.ApdTerminal1->Core().Show('A');
    window.mnuFileNew->trigger();
    EXPECT_EQ(ReadFile(FirstFile()), "A");
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), dir / "12_9_2025_2.txt");
    EXPECT_EQ(window.ApdTerminal1->Capture(), cmOn);
}

TEST_F(MainWindowTest, FileOpenChecksAndAppends)
{
    TfrmTillscribeMain &window = Create();
    WriteFile(dir / "big.txt", std::string(700001, 'x'));
    WriteFile(dir / "limit.txt", std::string(700000, 'x'));

    fileToOpen = QString::fromStdString(dir / "big.txt");
    window.mnuFileOpen->trigger();
    fileToOpen = QString::fromStdString(FirstFile()); // held by the capture
    window.mnuFileOpen->trigger();
    const std::vector<Box> refusals = {
        {MsgKind::Error, "File selected is too big.  Please select another"},
        {MsgKind::Error, "Cannot Open, File Already in Use"},
    };
    EXPECT_EQ(boxes.all, refusals);
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), FirstFile());

    // Accepted: the previous file gets a page of line feeds, the new one the text.
    window.ApdTerminal1->Core().Show('A');
    fileToOpen = QString::fromStdString(dir / "limit.txt");
    window.mnuFileOpen->trigger();
    EXPECT_EQ(ReadFile(FirstFile()), "A" + std::string(150, '\n'));
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), dir / "limit.txt");
    window.ApdTerminal1->Core().Show('B');
    window.ApdTerminal1->SetCapture(cmOff);
    EXPECT_EQ(ReadFile(dir / "limit.txt"), std::string(700000, 'x') + "B");

    // A new name without extension gets ".txt" and is created.
    fileToOpen = QString::fromStdString(dir / "journal");
    window.mnuFileOpen->trigger();
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), dir / "journal.txt");
    EXPECT_TRUE(std::filesystem::exists(dir / "journal.txt"));
}

TEST_F(MainWindowTest, CurrentFileAcceptedAfterDisconnect)
{
    TfrmTillscribeMain &window = Create();
    window.ApdTerminal1->SetCapture(cmOff); // as a disconnect leaves it
    fileToOpen = QString::fromStdString(FirstFile());
    window.mnuFileOpen->trigger();
    EXPECT_EQ(boxes.all, std::vector<Box>{});
    EXPECT_EQ(window.ApdTerminal1->Capture(), cmAppend);
}

TEST_F(MainWindowTest, TimerFlushesAndRollsOverPastTheLimit)
{
    TfrmTillscribeMain &window = Create();
    const std::string text(700000, 'x');
    for (char c : text)
        window.ApdTerminal1->Core().Show(static_cast<std::uint8_t>(c));
    window.Timer1Timer();
    EXPECT_EQ(std::filesystem::file_size(FirstFile()), 700000u); // flushed, not rolled
    EXPECT_EQ(boxes.all, std::vector<Box>{});

    window.ApdTerminal1->Core().Show('y');
    window.Timer1Timer();
    const std::string next = dir / "12_9_2025_2.txt";
    EXPECT_EQ(std::filesystem::file_size(FirstFile()), 700001u);
    EXPECT_EQ(window.edtCaptureFile->text().toStdString(), next);
    EXPECT_EQ(boxes.all, (std::vector<Box>{{MsgKind::Information,
                                              QString::fromStdString("File reached max size. New file is " + next)}}));
    // After a disconnect the tick switches capture back on, appending.
    window.ApdTerminal1->SetCapture(cmOff);
    window.Timer1Timer();
    EXPECT_EQ(window.ApdTerminal1->Capture(), cmAppend);
}

TEST_F(MainWindowTest, AutoConnectToHeldPortFailsBeforeTheWindowShows)
{
    test::PtyPort com7(7);
    ComPort holder;
    holder.SetComNumber(7);
    holder.SetTapiMode(tmOff);
    holder.SetDataBits(QSerialPort::Data8);
    holder.SetParity(QSerialPort::NoParity);
    try {
        holder.Open();
    } catch (const std::exception &e) {
        FAIL() << e.what();
    }
    stored.CommPort = "Direct to COM7";
    stored.AutoConnect = true;
    TfrmTillscribeMain &window = Create();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(boxes.all, std::vector<Box>{kOpenFailBox});
    EXPECT_EQ(Status(), "IDLE");
    EXPECT_EQ(Button(), kConnect);
}

TEST_F(MainWindowTest, AutoConnectSkippedWithoutDevice)
{
    stored.AutoConnect = true;
    Create();
    EXPECT_EQ(boxes.all, std::vector<Box>{});
    EXPECT_EQ(Status(), "IDLE");
}

TEST_F(MainWindowTest, DialBoxCleanedOnLeavingButEnterDialsAsTyped)
{
    stored.CommPort = "Office modem";
    TfrmTillscribeMain &window = Create();
    window.show();
    window.edtDialStr->setText("(555) 123-4567");
    QTest::keyClick(window.edtDialStr, Qt::Key_Return);
    EXPECT_EQ(tapi.dialled, QStringList{"(555) 123-4567"});
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(window.edtDialStr, &leave);
    EXPECT_EQ(window.edtDialStr->text(), "5551234567");
    window.edtDialStr->setText("1,555 ABC");
    QCoreApplication::sendEvent(window.edtDialStr, &leave);
    EXPECT_EQ(window.edtDialStr->text(), "1,555ABC");
}

TEST_F(MainWindowTest, PortButtonRefusedWhileNotIdle)
{
    stored.CommPort = "Office modem";
    stored.PhoneNum = "5551234";
    TfrmTillscribeMain &window = Create();
    window.btnConnect->click();
    ASSERT_EQ(Status(), "DIALING");
    window.btnComPort->click();
    EXPECT_EQ(boxes.all, (std::vector<Box>{{MsgKind::Error,
                                              "You must disconnect before selecting new device"}}));
    EXPECT_EQ(window.btnComPort->text(), "Office modem");
}

TEST_F(MainWindowTest, ExitButtonStaysAtPanelBottom)
{
    TfrmTillscribeMain &window = Create();
    window.show();
    for (const QSize size : {QSize(630, 417), QSize(500, 300), QSize(900, 700)}) {
        window.resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.btnExit->y(), window.pnlRight->height() - 25) << size.height();
        EXPECT_EQ(window.btnView->y(), window.pnlRight->height() - 57) << size.height();
        EXPECT_EQ(window.btnConnect->y(), 230);
    }
}

TEST_F(MainWindowTest, CloseHangsUpStopsCaptureAndSavesSettings)
{
    stored.CommPort = "Office modem";
    stored.PhoneNum = "5551234";
    stored.Register = 9;
    TfrmTillscribeMain &window = Create();
    EXPECT_EQ(window.cbxRegister->currentIndex(), -1);
    window.chkAutoConnect->setChecked(true);
    window.btnConnect->click();
    window.ApdTerminal1->Core().Show('Z');
    EXPECT_TRUE(window.close());
    EXPECT_EQ(tapi.cancels, 1);
    EXPECT_EQ(window.ApdTerminal1->Capture(), cmOff);
    EXPECT_EQ(ReadFile(FirstFile()), "Z");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->CommPort, "Office modem");
    EXPECT_EQ(written->PhoneNum, "5551234");
    EXPECT_EQ(written->Register, -1);
    EXPECT_TRUE(written->AutoConnect);
}

TEST_F(MainWindowTest, ViewLogsOpensTheViewerModallyAndFreesIt)
{
    MainWindowServices services;
    services.captureFolder = dir.Folder();
    services.shortDate = [] { return std::string("12/9/2025"); };
    services.readSettings = [this] { return stored; };
    services.writeSettings = [](const MaintainSettings &) {};
    services.tapiDevice = &tapi;
    QString captionWhileOpen;
    services.runViewer = [&](QDialog &viewer) {
        EXPECT_EQ(&viewer, frmTillscribeViewLogs);
        captionWhileOpen = viewer.windowTitle();
    };
    form = std::make_unique<TfrmTillscribeMain>(services);
    form->FormCreate();
    form->mnuViewViewLogs->trigger();
    EXPECT_EQ(captionWhileOpen, "TILLSCRIBE - View Logs - No File Selected");
    EXPECT_EQ(frmTillscribeViewLogs, nullptr);
    EXPECT_EQ(form->mnuViewViewLogs->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
}

TEST_F(MainWindowTest, UnwritableCaptureFolderShowsErrorAndStaysUsable)
{
    WriteFile(dir / "file", "");
    MainWindowServices services;
    services.captureFolder = dir / "file/"; // a folder beneath a file
    services.shortDate = [] { return std::string("12/9/2025"); };
    services.readSettings = [this] { return stored; };
    services.writeSettings = [](const MaintainSettings &) {};
    services.tapiDevice = &tapi;
    form = std::make_unique<TfrmTillscribeMain>(services);
    EXPECT_FALSE(RunGuarded([this] { form->FormCreate(); }));
    EXPECT_EQ(boxes.all, (std::vector<Box>{{MsgKind::Error, "Path not found"}}));
    EXPECT_EQ(Status(), "IDLE");
    form->btnConnect->click();
    EXPECT_EQ(boxes.all.back(), kNoDeviceBox);
}

} // namespace

#include "TillscribeMainFm.h"

#include "Application.h"
#include "FormFont.h"
#include "CaptureFiles.h"
#include "DeviceDialog.h"
#include "DeviceNames.h"
#include "FileDialogs.h"
#include "Help.h"
#include "MessageBoxes.h"
#include "TillscribeAboutFM.h"
#include "ModemTapiDevice.h"
#include "ShortDate.h"
#include "TapiDevice.h"
#include "TerminalWidget.h"
#include "TillscribeGlobals.h"
#include "TillscribeViewLogsFm.h"
#include "TillscribeVivudivUnit.h"
#include "WinePaths.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace tillscribe {
namespace {

const char *const kIdle = "IDLE";
const char *const kConnecting = "CONNECTING";
const char *const kDialing = "DIALING";
const char *const kCollecting = "COLLECTING";
const char *const kHangingUp = "HANGING UP";
const char *const kDisconnecting = "DISCONNECTING";

const QString kConnectCaption = QStringLiteral("Connec&t");
const QString kDisconnectCaption = QStringLiteral("&Disconnect");

} // namespace

TfrmTillscribeMain *frmTillscribeMain = nullptr;

TfrmTillscribeMain::TfrmTillscribeMain(MainWindowServices services, QWidget *parent)
    : QMainWindow(parent), services_(std::move(services))
{
    if (services_.captureFolder.empty())
        services_.captureFolder = DataFolder();
    if (!services_.shortDate)
        services_.shortDate = ShortDateToday;
    if (!services_.readSettings)
        services_.readSettings = [] { return ReadMaintainSettings(); };
    if (!services_.writeSettings)
        services_.writeSettings = [](const MaintainSettings &s) { WriteMaintainSettings(s); };
    if (!services_.chooseFileToOpen)
        services_.chooseFileToOpen = [this] {
            return ChooseFile(this, QFileDialog::AcceptOpen,
                              {QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")});
        };
    if (!services_.runViewer)
        services_.runViewer = [](QDialog &viewer) { viewer.exec(); };
    if (!services_.runDeviceDialog)
        services_.runDeviceDialog = [](DeviceDialog &dialog) {
            return dialog.exec() == QDialog::Accepted;
        };

    ApdComPort1 = new ComPort(this);
    ApdTapiDevice1 =
        services_.tapiDevice ? services_.tapiDevice : new ModemTapiDevice(ApdComPort1, this);
    connect(ApdTapiDevice1, &TapiDevice::TapiConnect, this,
            Guarded(this, &TfrmTillscribeMain::ApdTapiDevice1TapiConnect));

    CreateControls();
    CreateMenus();

    ApdTerminal1->SetComPort(ApdComPort1);
    ApdTerminal1->SetCaptureFile(QStringLiteral("APD.CAP"));
    ApdTerminal1->Core().SetProcessCharHook([this](std::uint8_t c, TEmuCommand &command) {
        ApdEmulator1ProcessChar(ApdTerminal1, c, command);
    });
    SetRegisterModelSource([this] { return cbxRegister->currentIndex(); });

    Timer1 = new QTimer(this);
    Timer1->setInterval(kTimerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, Guarded(this, &TfrmTillscribeMain::Timer1Timer));
    Timer1->start();
}

TfrmTillscribeMain::~TfrmTillscribeMain()
{
    SetRegisterModelSource(nullptr);
}

void TfrmTillscribeMain::CreateControls()
{
    setWindowTitle(QStringLiteral("TILLSCRIBE"));
    setFont(FormFont());
    resize(630, 417);

    auto *client = new QWidget(this);
    setCentralWidget(client);
    auto *grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    pnlTop = new QFrame(client);
    pnlTop->setFixedHeight(12);
    pnlSeperator = new QFrame(pnlTop);
    pnlSeperator->setFrameShape(QFrame::HLine);
    pnlSeperator->setFrameShadow(QFrame::Sunken);
    pnlSeperator->setGeometry(0, 0, 4000, 2);
    lblLeft = new QLabel(client);
    lblLeft->setFixedWidth(12);
    lblBottom = new QLabel(client);
    lblBottom->setFixedHeight(12);
    pnlRight = new QWidget(client);
    pnlRight->setFixedWidth(158);
    pnlRight->installEventFilter(this);
    ApdTerminal1 = new TerminalWidget(client);

    grid->addWidget(pnlTop, 0, 0, 1, 3);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(ApdTerminal1, 1, 1);
    grid->addWidget(pnlRight, 1, 2, 2, 1);
    grid->addWidget(lblBottom, 2, 0, 1, 2);

    lblCaptureStatus = new QLabel(pnlRight);
    lblCaptureStatus->setGeometry(10, 0, 124, 16);
    lblCaptureStatus->setAlignment(Qt::AlignCenter);
    lblCaptureStatus->setFont(FormFont(15, true));
    lblCaptureStatus->setStyleSheet(QStringLiteral("color: #800000"));

    // Never lit: a dark maroon lamp.
    ApdStatusLight1 = new QFrame(pnlRight);
    ApdStatusLight1->setGeometry(135, 1, 13, 13);
    ApdStatusLight1->setFrameShape(QFrame::Panel);
    ApdStatusLight1->setFrameShadow(QFrame::Sunken);
    ApdStatusLight1->setStyleSheet(QStringLiteral("background: #400000"));

    lblCaptureFile = new QLabel(QStringLiteral("File Name"), pnlRight);
    lblCaptureFile->move(10, 24);
    edtCaptureFile = new QLineEdit(pnlRight);
    edtCaptureFile->setGeometry(10, 40, 138, 21);
    edtCaptureFile->setReadOnly(true);

    cbxRegister = new QComboBox(pnlRight);
    cbxRegister->setGeometry(10, 80, 138, 21);
    cbxRegister->setEditable(false);
    for (std::string_view name : kRegisterModelNames)
        cbxRegister->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    cbxRegister->setVisible(false);

    lblCommPort = new QLabel(QStringLiteral("Com Port"), pnlRight);
    lblCommPort->move(10, 117);
    btnComPort = new QPushButton(pnlRight);
    btnComPort->setGeometry(10, 134, 138, 25);
    connect(btnComPort, &QPushButton::clicked, this,
            Guarded(this, &TfrmTillscribeMain::btnComPortClick));

    lblDialStr = new QLabel(QStringLiteral("Phone #"), pnlRight);
    lblDialStr->move(10, 165);
    edtDialStr = new QLineEdit(pnlRight);
    edtDialStr->setGeometry(10, 182, 138, 21);
    edtDialStr->installEventFilter(this);

    btnConnect = new QPushButton(kConnectCaption, pnlRight);
    btnConnect->setGeometry(10, 230, 138, 25);
    btnConnect->setDefault(true);
    connect(btnConnect, &QPushButton::clicked, this,
            Guarded(this, &TfrmTillscribeMain::btnConnectClick));

    chkAutoConnect = new QCheckBox(QStringLiteral("Auto Connect"), pnlRight);
    chkAutoConnect->setGeometry(32, 272, 97, 17);
    chkAutoConnect->setToolTip(QStringLiteral(
        "With this option checked the software will attempt to automatically connect on "
        "startup of the application."));

    btnView = new QPushButton(QStringLiteral("View &Logs"), pnlRight);
    btnView->setGeometry(10, 307, 138, 25);
    connect(btnView, &QPushButton::clicked, this, Guarded(this, &TfrmTillscribeMain::btnViewClick));

    btnExit = new QPushButton(QStringLiteral("E&xit"), pnlRight);
    btnExit->setGeometry(10, 339, 138, 25);
    connect(btnExit, &QPushButton::clicked, this, Guarded(this, &TfrmTillscribeMain::btnExitClick));

    QWidget::setTabOrder(cbxRegister, edtCaptureFile);
    QWidget::setTabOrder(edtCaptureFile, btnComPort);
    QWidget::setTabOrder(btnComPort, edtDialStr);
    QWidget::setTabOrder(edtDialStr, btnConnect);
    QWidget::setTabOrder(btnConnect, btnView);
    QWidget::setTabOrder(btnView, btnExit);
    QWidget::setTabOrder(btnExit, chkAutoConnect);
}

void TfrmTillscribeMain::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileNew = file->addAction(QStringLiteral("&New"));
    mnuFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(mnuFileNew, &QAction::triggered, this,
            Guarded(this, &TfrmTillscribeMain::mnuFileNewClick));
    mnuFileOpen = file->addAction(QStringLiteral("&Open..."));
    mnuFileOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(mnuFileOpen, &QAction::triggered, this,
            Guarded(this, &TfrmTillscribeMain::mnuFileOpenClick));
    file->addSeparator();
    mnuFileExit = file->addAction(QStringLiteral("E&xit"));
    connect(mnuFileExit, &QAction::triggered, this,
            Guarded(this, &TfrmTillscribeMain::btnExitClick));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    mnuViewViewLogs = view->addAction(QStringLiteral("View &Logs..."));
    mnuViewViewLogs->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(mnuViewViewLogs, &QAction::triggered, this,
            Guarded(this, &TfrmTillscribeMain::btnViewClick));

    QMenu *connection = menuBar()->addMenu(QStringLiteral("&Connection"));
    mnuConnectionConnect = connection->addAction(QStringLiteral("Connec&t"));
    mnuConnectionConnect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuConnectionDisconnect = connection->addAction(QStringLiteral("&Disconnect"));
    mnuConnectionDisconnect->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    // Both items toggle, exactly as the button does.
    for (QAction *item : {mnuConnectionConnect, mnuConnectionDisconnect})
        connect(item, &QAction::triggered, this,
                Guarded(this, &TfrmTillscribeMain::btnConnectClick));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpContents = help->addAction(QStringLiteral("&Help Contents..."));
    connect(mnuHelpContents, &QAction::triggered, this,
            Guarded(this, &TfrmTillscribeMain::mnuHelpContentsClick));
    About1 = help->addAction(QStringLiteral("&About..."));
    connect(About1, &QAction::triggered, this, Guarded(this, &TfrmTillscribeMain::mnuHelpAboutClick));
}

QString TfrmTillscribeMain::CaptureStatus() const
{
    return lblCaptureStatus->text();
}

void TfrmTillscribeMain::SetStatus(const char *status)
{
    lblCaptureStatus->setText(QString::fromLatin1(status));
}

QString TfrmTillscribeMain::Device() const
{
    return btnComPort->text();
}

void TfrmTillscribeMain::ShowCaptureFileName(const QString &name)
{
    edtCaptureFile->setText(name);
    edtCaptureFile->setCursorPosition(0); // the start of a long path shows
}

void TfrmTillscribeMain::ColourDialBox()
{
    QPalette palette = edtDialStr->palette();
    const QPalette standard = QApplication::palette(edtDialStr);
    palette.setColor(QPalette::Base, HasDirectColour(Device().toStdString())
                                         ? standard.color(QPalette::Button)
                                         : standard.color(QPalette::Base));
    edtDialStr->setPalette(palette);
}

void TfrmTillscribeMain::FormCreate()
{
    const MaintainSettings settings = services_.readSettings();
    btnComPort->setText(QString::fromStdString(settings.CommPort));
    if (btnComPort->text().isEmpty())
        btnComPort->setText(QString::fromLatin1(kNoDevice));
    edtDialStr->setText(QString::fromStdString(settings.PhoneNum));
    ColourDialBox();
    chkAutoConnect->setChecked(settings.AutoConnect);
    if (ProductVariant == 1) {
        cbxRegister->setVisible(true);
        // Outside 0-7 leaves no model selected.
        cbxRegister->setCurrentIndex(settings.Register);
    }

    SetStatus(kIdle);
    StartNewCaptureFile();
    ApdTerminal1->setFocusPolicy(Qt::ClickFocus);

    if (chkAutoConnect->isChecked() && Device() != QLatin1String(kNoDevice)) {
        btnConnect->setText(kConnectCaption);
        btnConnectClick();
    }
}

void TfrmTillscribeMain::StartNewCaptureFile()
{
    const std::string name =
        tillscribe::StartNewCaptureFile(ApdTerminal1->Core(), services_.captureFolder, services_.shortDate());
    ShowCaptureFileName(QString::fromStdString(name));
}

void TfrmTillscribeMain::btnConnectClick()
{
    if (btnConnect->text() == kConnectCaption) {
        btnConnect->setText(kDisconnectCaption);
        Connect();
    } else {
        btnConnect->setText(kConnectCaption);
        Disconnect();
    }
}

void TfrmTillscribeMain::Connect()
{
    SetStatus(kConnecting);
    if (Device() == QLatin1String(kNoDevice)) {
        btnConnect->setText(kConnectCaption);
        SetStatus(kIdle);
        ShowMessage(MsgKind::Information, QStringLiteral("No Device Selected"));
        return;
    }
    ReopenCaptureAppending(ApdTerminal1->Core());

    if (IsDirectRoad(Device().toStdString())) {
        if (OpenPort()) {
            SetStatus(kCollecting);
        } else {
            btnConnect->setText(kConnectCaption);
            SetStatus(kIdle);
        }
        return;
    }

    if (edtDialStr->text().isEmpty()) {
        btnConnect->setText(kConnectCaption);
        SetStatus(kIdle);
        ShowMessage(MsgKind::Error, QStringLiteral("Need Phone Number"));
        return;
    }
    OpenPort();
    ApdTapiDevice1->SetSelectedDevice(Device());
    SetStatus(kDialing);
    try {
        ApdTapiDevice1->Dial(edtDialStr->text());
    } catch (const std::exception &) {
        btnConnect->setText(kConnectCaption);
        SetStatus(kIdle);
        ShowMessage(MsgKind::Error, QStringLiteral("Unable to Connect to Modem"));
    }
}

bool TfrmTillscribeMain::OpenPort()
{
    ApdComPort1->SetDataBits(QSerialPort::Data8);
    ApdComPort1->SetParity(QSerialPort::NoParity);
    ApdComPort1->SetStopBits(QSerialPort::OneStop);
    ApdComPort1->SetTapiMode(tmAuto);

    if (!IsDirectRoad(Device().toStdString())) {
        ApdComPort1->SetComNumber(0); // the telephony device provides the line
        return true;
    }
    // A caption without a number (hand-edited settings) is an uncaught error.
    ApdComPort1->SetComNumber(PortNumberFromCaption(Device().toStdString()));
    bool opened = true;
    try {
        ApdComPort1->Open();
    } catch (const std::exception &) {
        ShowMessage(MsgKind::Error,
                    QStringLiteral("Unable to Open Port, it is either unavailable or in use"));
        opened = false;
    }
    ApdTerminal1->SetActive(true);
    return opened;
}

void TfrmTillscribeMain::Disconnect()
{
    if (IsDirectRoad(Device().toStdString())) {
        SetStatus(kDisconnecting);
        ApdComPort1->Close();
        ApdTerminal1->SetActive(false);
        SetStatus(kIdle);
    } else {
        // Hanging up may fail in many ways; the line ends idle regardless.
        try {
            if (!edtDialStr->text().isEmpty() && CaptureStatus() != QLatin1String(kIdle)) {
                SetStatus(kHangingUp);
                ApdTapiDevice1->CancelCall();
                SetStatus(kIdle);
            } else {
                ShowMessage(MsgKind::Information, QStringLiteral("Not Currently Connected"));
            }
        } catch (const std::exception &) {
        }
        SetStatus(kIdle);
    }
    ApdComPort1->SetTapiMode(tmOff);
    ApdTerminal1->SetCapture(cmOff);
}

void TfrmTillscribeMain::ApdTapiDevice1TapiConnect()
{
    SetStatus(kCollecting);
    ShowCaptureFileName(ApdTerminal1->CaptureFile());
}

void TfrmTillscribeMain::btnComPortClick()
{
    if (CaptureStatus() != QLatin1String(kIdle)) {
        ShowMessage(MsgKind::Error, QStringLiteral("You must disconnect before selecting new device"));
        return;
    }
    QString chosen;
    if (SelectDevice(Device(), chosen))
        btnComPort->setText(chosen);
    ColourDialBox();
}

bool TfrmTillscribeMain::SelectDevice(const QString &, QString &chosen)
{
    DeviceDialog dialog;
    dialog.SetShowTapiDevices(true);
    dialog.SetShowPorts(true);
    const TTapiMode mode = ApdComPort1->TapiMode();
    dialog.SetPreselection(mode, mode == tmOff ? ApdTapiDevice1->OpenLineComNumber() : 0,
                           ApdTapiDevice1->SelectedDevice());
    if (!services_.runDeviceDialog(dialog))
        return false;
    chosen = dialog.SelectedName();
    if (DeviceDialog::IsDirectPortEntry(chosen)) {
        ApdComPort1->SetTapiMode(tmOff);
        ApdComPort1->SetComNumber(DeviceDialog::DirectPortNumber(chosen));
    } else {
        ApdComPort1->SetTapiMode(tmAuto);
        ApdTapiDevice1->SetSelectedDevice(chosen);
    }
    return true;
}

void TfrmTillscribeMain::edtDialStrExit()
{
    QString cleaned;
    for (const QChar c : edtDialStr->text())
        if (c != QLatin1Char('(') && c != QLatin1Char(')') && c != QLatin1Char('-')
            && c != QLatin1Char(' '))
            cleaned += c;
    edtDialStr->setText(cleaned);
}

void TfrmTillscribeMain::FormResize()
{
    btnExit->move(btnExit->x(), pnlRight->height() - 25);
    btnView->move(btnView->x(), pnlRight->height() - 57);
}

void TfrmTillscribeMain::mnuHelpContentsClick()
{
    ShowHelp(4);
}

void TfrmTillscribeMain::mnuHelpAboutClick()
{
    ShowAboutWindow(this);
}

void TfrmTillscribeMain::btnViewClick()
{
    // Modal toward this window; capture goes on while it is open.
    frmTillscribeViewLogs = new TfrmTillscribeViewLogs(this);
    services_.runViewer(*frmTillscribeViewLogs);
    delete frmTillscribeViewLogs;
    frmTillscribeViewLogs = nullptr;
}

void TfrmTillscribeMain::mnuFileNewClick()
{
    if (CaptureStatus() != QLatin1String(kIdle)) {
        ShowMessage(MsgKind::Information, QStringLiteral("You must disconnect before selecting New"));
        return;
    }
    ApdTerminal1->ClearAll();
    StartNewCaptureFile();
}

void TfrmTillscribeMain::mnuFileOpenClick()
{
    if (CaptureStatus() != QLatin1String(kIdle)) {
        ShowMessage(MsgKind::Information, QStringLiteral("You must disconnect before selecting Open"));
        return;
    }
    const QString chosen = services_.chooseFileToOpen();
    if (chosen.isEmpty())
        return;
    std::string name = chosen.toStdString();
    if (IsOverSizeLimit(name)) {
        ShowMessage(MsgKind::Error, QStringLiteral("File selected is too big.  Please select another"));
        return;
    }
    if (FileExists(name) && IsInUse(name)) {
        ShowMessage(MsgKind::Error, QStringLiteral("Cannot Open, File Already in Use"));
        return;
    }
    name = WithTxtExtension(name);
    ApdTerminal1->ClearPage();
    ApdTerminal1->SetCapture(cmOff);
    ApdTerminal1->SetCaptureFile(QString::fromStdString(name));
    ApdTerminal1->SetCapture(cmAppend);
    ShowCaptureFileName(QString::fromStdString(name));
}

void TfrmTillscribeMain::Timer1Timer()
{
    ReopenCaptureAppending(ApdTerminal1->Core());
    if (IsOverSizeLimit(edtCaptureFile->text().toStdString())) {
        StartNewCaptureFile();
        ShowMessage(MsgKind::Information,
                    QStringLiteral("File reached max size. New file is ") + edtCaptureFile->text());
    }
}

void TfrmTillscribeMain::ApdEmulator1ProcessChar(void *CP, std::uint8_t C, TEmuCommand &Command)
{
    FilterRegisterChar(CP, C, Command);
}

void TfrmTillscribeMain::btnExitClick()
{
    close();
}

void TfrmTillscribeMain::FormClose()
{
    if (CaptureStatus() != QLatin1String(kIdle) && !edtDialStr->text().isEmpty()) {
        SetStatus(kHangingUp);
        try {
            ApdTapiDevice1->CancelCall();
        } catch (const std::exception &) {
        }
    }
    ApdTerminal1->SetCapture(cmOff);

    MaintainSettings settings;
    settings.CommPort = Device().toStdString();
    settings.PhoneNum = edtDialStr->text().toStdString();
    settings.Register = cbxRegister->currentIndex();
    settings.AutoConnect = chkAutoConnect->isChecked();
    services_.writeSettings(settings);
}

void TfrmTillscribeMain::closeEvent(QCloseEvent *event)
{
    // A failed save keeps the window open, its error shown.
    if (RunGuarded([this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

void TfrmTillscribeMain::keyPressEvent(QKeyEvent *event)
{
    // Enter clicks the focused button, or else the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        else
            btnConnect->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TfrmTillscribeMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!centred_) {
        centred_ = true;
        if (const QScreen *screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    }
}

bool TfrmTillscribeMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlRight && event->type() == QEvent::Resize)
        RunGuarded([this] { FormResize(); });
    else if (watched == edtDialStr && event->type() == QEvent::FocusOut)
        RunGuarded([this] { edtDialStrExit(); });
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tillscribe

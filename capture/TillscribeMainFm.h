// The capture station's main window: the terminal, the device, the number,
// the register model, connecting and disconnecting, the capture files.
//
// The window keeps its state in its controls: the capture status is the
// text of lblCaptureStatus, the device the caption of btnComPort, the model
// the index of cbxRegister. Handlers are named after their control and
// event; errors that no handler catches reach the standard error box.
#pragma once

#include "ComPort.h"
#include "EmuCommand.h"

#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tillscribe {

class DeviceDialog;
class TapiDevice;
class TerminalWidget;
struct MaintainSettings;

// What the window reaches outside itself; tests replace parts of it.
struct MainWindowServices {
    std::string captureFolder;                  // new capture files; default: program folder
    std::function<std::string()> shortDate;     // default: today's short date
    std::function<MaintainSettings()> readSettings;
    std::function<void(const MaintainSettings &)> writeSettings;
    std::function<QString()> chooseFileToOpen;  // dlgOpen; empty when cancelled
    std::function<bool(DeviceDialog &)> runDeviceDialog; // true on OK
    std::function<void(QDialog &)> runViewer;   // default: exec
    TapiDevice *tapiDevice = nullptr;           // default: one of the window's own
};

class TfrmTillscribeMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 120000;

    explicit TfrmTillscribeMain(MainWindowServices services = {}, QWidget *parent = nullptr);
    ~TfrmTillscribeMain() override;

    // Handlers.
    void FormCreate();
    void FormResize();
    void FormClose();
    void btnConnectClick();
    void btnComPortClick();
    void btnExitClick();
    void btnViewClick();
    void mnuHelpContentsClick();
    void mnuHelpAboutClick();
    void edtDialStrExit();
    void mnuFileNewClick();
    void mnuFileOpenClick();
    void Timer1Timer();
    void ApdEmulator1ProcessChar(void *CP, std::uint8_t C, TEmuCommand &Command);

    // Routines.
    void Connect();
    bool OpenPort();
    void Disconnect();
    bool SelectDevice(const QString &current, QString &chosen);
    void StartNewCaptureFile();

    QString CaptureStatus() const;

    // Controls.
    QFrame *pnlTop = nullptr;
    QFrame *pnlSeperator = nullptr;
    QWidget *pnlRight = nullptr;
    QLabel *lblLeft = nullptr;
    QLabel *lblBottom = nullptr;
    QLabel *lblCaptureStatus = nullptr;
    QFrame *ApdStatusLight1 = nullptr;
    QLabel *lblCaptureFile = nullptr;
    QLineEdit *edtCaptureFile = nullptr;
    QComboBox *cbxRegister = nullptr;
    QLabel *lblCommPort = nullptr;
    QPushButton *btnComPort = nullptr;
    QLabel *lblDialStr = nullptr;
    QLineEdit *edtDialStr = nullptr;
    QPushButton *btnConnect = nullptr;
    QCheckBox *chkAutoConnect = nullptr;
    QPushButton *btnView = nullptr;
    QPushButton *btnExit = nullptr;
    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileExit = nullptr;
    QAction *mnuViewViewLogs = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *About1 = nullptr;
    QAction *mnuConnectionConnect = nullptr;
    QAction *mnuConnectionDisconnect = nullptr;
    TerminalWidget *ApdTerminal1 = nullptr;
    ComPort *ApdComPort1 = nullptr;
    TapiDevice *ApdTapiDevice1 = nullptr;
    QTimer *Timer1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void SetStatus(const char *status);
    QString Device() const;
    void ColourDialBox();
    void ShowCaptureFileName(const QString &name);
    void ApdTapiDevice1TapiConnect();

    MainWindowServices services_;
    bool centred_ = false;
};

// The main window of the running program.
extern TfrmTillscribeMain *frmTillscribeMain;

} // namespace tillscribe

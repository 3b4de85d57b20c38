// The telephony device on a Hayes modem: dials a register's modem and hands
// the call's data line to the serial port.
//
//   ModemTapiDevice tapi(&port);
//   tapi.SetSelectedDevice("Office modem");      // a section of modems.ini
//   tapi.Dial("5551234");   // init and ATDT sent; throws TapiError if it cannot start
//   ... TapiConnect()       // CONNECT: the port is the call's line (tmOn)
//   tapi.CancelCall();      // hang up, close the port; at most 30 s
//
// The modem list is modems.ini (see TelephonyDevices.h): per modem Port (a
// device path or COM<n>), Speed (115200) and Init (ATZ). Until CONNECT the
// port is in command mode and the modem's replies stay with the dialer; only
// bytes after CONNECT reach the reader. A call that ends before it connects
// (BUSY, NO CARRIER, NO ANSWER, NO DIALTONE, ERROR, or no result in time) is
// dialled again after the redial wait, up to MaxAttempts in all; then the
// dialer gives up quietly. Waits keep the event loop running.
#pragma once

#include "TapiDevice.h"

#include <QByteArray>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

namespace tillscribe {

class ComPort;

struct ModemEntry {
    QString name;
    QString port;
    qint32 speed = 115200;
    QString init = QStringLiteral("ATZ");
};

class ModemTapiDevice : public TapiDevice {
    Q_OBJECT
public:
    // Intervals, in milliseconds; tests shorten them.
    struct Timing {
        int redialWait = 60000;
        int maxAttempts = 3;
        int commandWait = 5000;   // an OK to each set-up command
        int resultWait = 60000;   // a result to ATDT
        int guardTime = 1100;     // silence around "+++"
        int hangUpLimit = 30000;
    };

    explicit ModemTapiDevice(ComPort *port, QObject *parent = nullptr);

    void SetTiming(const Timing &timing) { timing_ = timing; }
    // Asked for a modem when the selected one is not in the list; empty: cancelled.
    void SetChooseDevice(std::function<QString(const QStringList &names)> choose)
    {
        chooseDevice_ = std::move(choose);
    }

    void Dial(const QString &number) override;
    void CancelCall() override;
    int OpenLineComNumber() const override;

    bool CallInProgress() const { return state_ != State::Idle; }

private:
    enum class State { Idle, Initialising, Dialling, WaitingToRedial, Connected, HangingUp };

    std::optional<ModemEntry> FindModem(const QString &name) const;
    void OpenLine(const ModemEntry &modem);
    bool Command(const QByteArray &command, int waitMs);
    void SendDial();
    void OnCommandData();
    void HandleResult(const QByteArray &line, const QByteArray &rest);
    void AttemptFailed();
    void Send(const QByteArray &bytes);
    void Pause(int ms);
    QByteArray TakeLine();

    ComPort *port_;
    Timing timing_;
    std::function<QString(const QStringList &)> chooseDevice_;
    State state_ = State::Idle;
    QString number_;
    int attempts_ = 0;
    QByteArray received_;
    QTimer redialTimer_;
    QTimer resultTimer_;
};

// The modems listed in modems.ini; nothing when the list cannot be read.
std::optional<std::vector<ModemEntry>> ReadModemList();

} // namespace tillscribe

#include "ModemTapiDevice.h"

#include "ComPort.h"
#include "DeviceDialog.h"
#include "StRegIni.h"
#include "TelephonyDevices.h"
#include "WinePaths.h"

#include <QElapsedTimer>
#include <QEventLoop>

#include <fstream>

namespace tillscribe {
namespace {

// Verbal and numeric result codes (V.250) that end a dial without a call.
bool IsFailedCall(const QByteArray &line)
{
    static const char *const kFailures[] = {"BUSY", "NO CARRIER", "NO ANSWER", "NO DIALTONE",
                                            "NO DIAL TONE", "ERROR", "3", "4", "6", "7", "8"};
    for (const char *failure : kFailures)
        if (line == failure)
            return true;
    return false;
}

bool IsConnect(const QByteArray &line)
{
    if (line.startsWith("CONNECT"))
        return true;
    bool numeric = false;
    const int code = line.toInt(&numeric);
    return numeric && (code == 1 || code == 5 || (code >= 9 && code <= 19) || code >= 28);
}

} // namespace

std::optional<std::vector<ModemEntry>> ReadModemList()
{
    const std::string path = ModemListPath();
    if (!std::ifstream(path))
        return std::nullopt;
    std::vector<ModemEntry> modems;
    TStRegIni ini(path);
    for (const std::string &name : TelephonyDeviceNames()) {
        ini.SetCurSubKey(name == "<noname>" ? std::string() : name);
        ModemEntry modem;
        modem.name = QString::fromStdString(name);
        modem.port = QString::fromStdString(ini.ReadString("Port", ""));
        modem.speed = ini.ReadInteger("Speed", 115200);
        modem.init = QString::fromStdString(ini.ReadString("Init", "ATZ"));
        modems.push_back(modem);
    }
    return modems;
}

ModemTapiDevice::ModemTapiDevice(ComPort *port, QObject *parent) : TapiDevice(parent), port_(port)
{
    redialTimer_.setSingleShot(true);
    resultTimer_.setSingleShot(true);
    connect(&redialTimer_, &QTimer::timeout, this, &ModemTapiDevice::SendDial);
    connect(&resultTimer_, &QTimer::timeout, this, [this] {
        Send("\r"); // any character ends a dial in progress
        AttemptFailed();
    });
    connect(port_, &ComPort::CommandDataReceived, this, &ModemTapiDevice::OnCommandData);
    chooseDevice_ = [](const QStringList &) {
        DeviceDialog dialog;
        dialog.SetShowPorts(false);
        return dialog.exec() == QDialog::Accepted ? dialog.SelectedName() : QString();
    };
}

std::optional<ModemEntry> ModemTapiDevice::FindModem(const QString &name) const
{
    const auto modems = ReadModemList();
    if (!modems)
        throw TapiError("The telephony service is not available");
    for (const ModemEntry &modem : *modems)
        if (modem.name == name)
            return modem;
    return std::nullopt;
}

int ModemTapiDevice::OpenLineComNumber() const
{
    return 0; // lines are opened by device path
}

void ModemTapiDevice::Send(const QByteArray &bytes)
{
    port_->Serial().write(bytes);
    port_->Serial().flush();
}

void ModemTapiDevice::Pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

QByteArray ModemTapiDevice::TakeLine()
{
    // Result codes come framed by CR LF; echoed commands end in CR.
    for (;;) {
        const int end = received_.indexOf('\r');
        const int lf = received_.indexOf('\n');
        const int at = end < 0 ? lf : (lf < 0 ? end : qMin(end, lf));
        if (at < 0)
            return {};
        const QByteArray line = received_.left(at).trimmed();
        received_.remove(0, at + 1);
        if (!line.isEmpty())
            return line;
    }
}

void ModemTapiDevice::OpenLine(const ModemEntry &modem)
{
    QString device = modem.port;
    if (device.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
        device = QString::fromStdString(ComPortDevice(device.mid(3).toInt()));
    port_->SetLineDevice(device, modem.speed);
    port_->SetTapiMode(tmOn);
    port_->SetCommandMode(true);
    try {
        port_->OpenQuietly();
    } catch (const std::exception &e) {
        port_->SetCommandMode(false);
        throw TapiError(std::string("The modem's port cannot be opened: ") + e.what());
    }
    port_->Serial().setDataTerminalReady(true);
    received_.clear();
}

// Sends a set-up command and waits for OK, the event loop running.
bool ModemTapiDevice::Command(const QByteArray &command, int waitMs)
{
    port_->Serial().readAll();
    received_.clear();
    Send(command + "\r");
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < waitMs && port_->IsOpen()) {
        received_ += port_->Serial().readAll();
        for (QByteArray line = TakeLine(); !line.isEmpty(); line = TakeLine()) {
            if (line == "OK" || line == "0")
                return true;
            if (line == "ERROR" || line == "4")
                return false;
        }
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return false;
}

void ModemTapiDevice::Dial(const QString &number)
{
    if (state_ != State::Idle)
        throw TapiError("A call is already in progress");
    std::optional<ModemEntry> modem = FindModem(SelectedDevice());
    if (!modem) {
        const auto modems = ReadModemList();
        QStringList names;
        for (const ModemEntry &m : *modems)
            names << m.name;
        const QString chosen = chooseDevice_(names);
        if (chosen.isEmpty())
            throw TapiError("No telephony device was chosen");
        modem = FindModem(chosen);
        if (!modem)
            throw TapiError("No telephony device was chosen");
    }
    OpenLine(*modem);
    state_ = State::Initialising;
    // Echo, verbose and quiet modes may survive a reset: set them each time.
    if (!Command(modem->init.toLatin1(), timing_.commandWait)
        || !Command("ATE0V1Q0", timing_.commandWait)) {
        state_ = State::Idle;
        port_->Close();
        throw TapiError("The modem does not answer");
    }
    number_ = number;
    attempts_ = 0;
    SendDial();
}

void ModemTapiDevice::SendDial()
{
    if (!port_->IsOpen()) {
        state_ = State::Idle;
        return;
    }
    state_ = State::Dialling;
    ++attempts_;
    received_.clear();
    Send("ATDT" + number_.toLatin1() + "\r");
    resultTimer_.start(timing_.resultWait);
}

void ModemTapiDevice::OnCommandData()
{
    received_ += port_->Serial().readAll();
    if (state_ != State::Dialling)
        return;
    for (QByteArray line = TakeLine(); !line.isEmpty(); line = TakeLine()) {
        HandleResult(line, received_);
        if (state_ != State::Dialling)
            return;
    }
}

void ModemTapiDevice::HandleResult(const QByteArray &line, const QByteArray &rest)
{
    if (IsConnect(line)) {
        resultTimer_.stop();
        state_ = State::Connected;
        // What followed the CONNECT line is the register's already.
        QByteArray data = rest;
        if (data.startsWith('\n'))
            data.remove(0, 1);
        received_.clear();
        port_->Unread(data);
        port_->SetCommandMode(false);
        port_->AnnounceOpened();
        emit TapiConnect();
    } else if (IsFailedCall(line)) {
        resultTimer_.stop();
        AttemptFailed();
    }
}

void ModemTapiDevice::AttemptFailed()
{
    if (attempts_ < timing_.maxAttempts) {
        state_ = State::WaitingToRedial;
        redialTimer_.start(timing_.redialWait);
        return;
    }
    // Given up: the window is not told; its status stays as it was.
    state_ = State::Idle;
    port_->Close();
}

void ModemTapiDevice::CancelCall()
{
    redialTimer_.stop();
    resultTimer_.stop();
    if (!port_->IsOpen()) {
        state_ = State::Idle;
        return;
    }
    const State was = state_;
    state_ = State::HangingUp;
    port_->SetCommandMode(true);
    QElapsedTimer clock;
    clock.start();
    // Dropping DTR hangs up most modems; a pseudo-terminal cannot drop it, so
    // the escape sequence and ATH0 follow in any case.
    port_->Serial().setDataTerminalReady(false);
    Pause(200);
    port_->Serial().setDataTerminalReady(true);
    if (was == State::Connected) {
        Pause(timing_.guardTime);
        Send("+++");
        Pause(timing_.guardTime);
    } else {
        Send("\r"); // ends a dial in progress
    }
    const int left = qMax(0, timing_.hangUpLimit - static_cast<int>(clock.elapsed()));
    Command("ATH0", qMin(left, timing_.commandWait));
    port_->Close();
    state_ = State::Idle;
}

} // namespace tillscribe

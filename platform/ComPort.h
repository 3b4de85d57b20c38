// The serial port component: one port the window or the telephony device
// opens, and the terminal reads.
//
//   ComPort port;                       // 9600 baud, RTS flow control
//   port.SetDataBits(8); port.SetParity(QSerialPort::NoParity); ...
//   port.SetComNumber(7);               // the device behind COM7
//   port.Open();                        // throws ComPortError
//   connect(&port, &ComPort::DataReceived, ...);  port.ReadAll();
//   port.Close();
//
// Settings are taken while the port is closed and applied when it opens.
// With telephony mode tmOn the port opens the call's data line (a device
// path and speed given by the telephony device) instead of COM n.
// A port that goes away while open (an adapter pulled) is closed quietly:
// the owner is not told, as the register's silence tells nothing either.
#pragma once

#include <QObject>
#include <QSerialPort>

#include <stdexcept>

namespace tillscribe {

enum TTapiMode { tmNone, tmAuto, tmOn, tmOff };

class ComPortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ComPort : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 kDefaultBaud = 9600;

    explicit ComPort(QObject *parent = nullptr);
    ~ComPort() override;

    void SetDataBits(QSerialPort::DataBits bits) { dataBits_ = bits; }
    void SetParity(QSerialPort::Parity parity) { parity_ = parity; }
    void SetStopBits(QSerialPort::StopBits bits) { stopBits_ = bits; }
    QSerialPort::DataBits DataBits() const { return dataBits_; }
    QSerialPort::Parity Parity() const { return parity_; }
    QSerialPort::StopBits StopBits() const { return stopBits_; }
    void SetBaud(qint32 baud) { baud_ = baud; }
    qint32 Baud() const { return baud_; }

    void SetComNumber(int number) { comNumber_ = number; }
    int ComNumber() const { return comNumber_; }
    TTapiMode TapiMode() const { return tapiMode_; }
    void SetTapiMode(TTapiMode mode) { tapiMode_ = mode; }
    // The call's data line, used while the telephony mode is tmOn.
    void SetLineDevice(const QString &path, qint32 speed);

    void Open();
    void Close();
    bool IsOpen() const { return serial_.isOpen(); }
    QString DevicePath() const;

    QByteArray ReadAll();
    // Bytes read ahead by the modem dialer that belong to the reader.
    void Unread(const QByteArray &bytes) { readAhead_.prepend(bytes); }
    // In command mode the modem dialer talks to the modem: received bytes are
    // announced as CommandDataReceived, never as DataReceived.
    void SetCommandMode(bool on) { commandMode_ = on; }
    bool CommandMode() const { return commandMode_; }
    // Opens without announcing it: the line is not the reader's yet.
    void OpenQuietly();
    // Tells the reader that the line is now its own.
    void AnnounceOpened() { emit Opened(); }
    qint64 Write(const QByteArray &bytes);
    QSerialPort &Serial() { return serial_; }

signals:
    void Opened();
    void Closed();
    void DataReceived();
    void CommandDataReceived();

private:
    void OnError(QSerialPort::SerialPortError error);
    void OnReadyRead();

    QSerialPort serial_;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data7;
    QSerialPort::Parity parity_ = QSerialPort::OddParity;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    qint32 baud_ = kDefaultBaud;
    int comNumber_ = 0;
    TTapiMode tapiMode_ = tmOn;
    QString lineDevice_;
    QByteArray readAhead_;
    bool commandMode_ = false;
    qint32 lineSpeed_ = 0;
};

} // namespace tillscribe

#include "ComPort.h"

#include "WinePaths.h"

#include <climits>
#include <cstdlib>

namespace tillscribe {

ComPort::ComPort(QObject *parent) : QObject(parent)
{
    connect(&serial_, &QSerialPort::readyRead, this, &ComPort::OnReadyRead);
    connect(&serial_, &QSerialPort::errorOccurred, this, &ComPort::OnError);
}

ComPort::~ComPort()
{
    serial_.close();
}

void ComPort::SetLineDevice(const QString &path, qint32 speed)
{
    lineDevice_ = path;
    lineSpeed_ = speed;
}

QString ComPort::DevicePath() const
{
    if (tapiMode_ == tmOn)
        return lineDevice_;
    return QString::fromStdString(ComPortDevice(comNumber_));
}

void ComPort::OnReadyRead()
{
    if (commandMode_)
        emit CommandDataReceived();
    else
        emit DataReceived();
}

QByteArray ComPort::ReadAll()
{
    QByteArray bytes = std::move(readAhead_);
    readAhead_.clear();
    bytes += serial_.readAll();
    return bytes;
}

void ComPort::Open()
{
    if (serial_.isOpen())
        return;
    OpenQuietly();
    emit Opened();
}

void ComPort::OpenQuietly()
{
    if (serial_.isOpen())
        return;
    const QString path = DevicePath();
    if (path.isEmpty())
        throw ComPortError("COM" + std::to_string(comNumber_) + " does not exist");
    // The real device, so that its lock is the same whichever name opens it.
    char *real = ::realpath(path.toLocal8Bit().constData(), nullptr);
    serial_.setPortName(real ? QString::fromLocal8Bit(real) : path);
    std::free(real);
    if (!serial_.open(QIODevice::ReadWrite))
        throw ComPortError(serial_.errorString().toStdString());
    const qint32 speed = tapiMode_ == tmOn && lineSpeed_ > 0 ? lineSpeed_ : baud_;
    const bool configured = serial_.setBaudRate(speed) && serial_.setDataBits(dataBits_)
        && serial_.setParity(parity_) && serial_.setStopBits(stopBits_)
        && serial_.setFlowControl(QSerialPort::HardwareControl);
    if (!configured) {
        const std::string why = serial_.errorString().toStdString();
        serial_.close();
        throw ComPortError(why);
    }
}

void ComPort::Close()
{
    if (!serial_.isOpen())
        return;
    serial_.close();
    readAhead_.clear();
    commandMode_ = false;
    emit Closed();
}

qint64 ComPort::Write(const QByteArray &bytes)
{
    return serial_.isOpen() ? serial_.write(bytes) : -1;
}

void ComPort::OnError(QSerialPort::SerialPortError error)
{
    // A vanished device (an adapter pulled: ResourceError) or a hung-up line
    // (ReadError) raises its error again on every poll; close it once.
    if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) && serial_.isOpen()) {
        serial_.clearError();
        // What arrived before the device went away is still owed to the reader.
        if (serial_.bytesAvailable() > 0)
            OnReadyRead();
        Close();
    }
}

} // namespace tillscribe

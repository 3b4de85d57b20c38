// The telephony device: dials a register's modem and hands the call's data
// line to the serial port.
//
//   tapi.SetSelectedDevice("Office modem");
//   tapi.Dial("5551234");        // returns once the call has started; throws TapiError
//   ... TapiConnect()            // the call is connected, the port open on its line
//   tapi.CancelCall();           // hang up; returns when the line is idle
//
// This is the interface the main window uses. A dialler that cannot dial at
// all (no telephony devices) is the default until a modem dialler is set.
#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

namespace tillscribe {

class TapiError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TapiDevice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    QString SelectedDevice() const { return selectedDevice_; }
    void SetSelectedDevice(const QString &name) { selectedDevice_ = name; }

    virtual void Dial(const QString &number)
    {
        Q_UNUSED(number);
        throw TapiError("The telephony service is not available");
    }
    virtual void CancelCall() {}
    // The COM number of the serial port that the open line uses; 0 when none.
    virtual int OpenLineComNumber() const { return 0; }

signals:
    void TapiConnect();

private:
    QString selectedDevice_;
};

} // namespace tillscribe

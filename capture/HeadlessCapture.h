// The capture station without a window, for a back office with no screen.
//
//   HeadlessCapture station(options, say);   // say: one line per event
//   station.Start();      // new capture file, then connect (or keep trying)
//   ... the event loop runs; every tick flushes and rolls over at the limit
//   station.Stop();       // hang up, write the buffer out
//
// It uses the window's units: the filter, the terminal's screen and capture,
// the naming rule, the size limit, direct ports and the modem dialer. A
// direct port that vanishes is reopened when it comes back, since nobody is
// there to click Connect; each loss and each return is said once.
#pragma once

#include "ComPort.h"
#include "Terminal.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

namespace tillscribe {

class ModemTapiDevice;

struct HeadlessOptions {
    std::string device;          // "Direct to COM7" or a modem's name
    int model = -1;              // register model 0-7
    std::string folder;          // capture files; ends in "/"
    std::string phone;           // for a modem
    int tickMs = 120000;
    int retryMs = 1000;          // how often a missing port is tried again
    std::function<std::string()> shortDate;
};

class HeadlessCapture : public QObject {
    Q_OBJECT
public:
    HeadlessCapture(HeadlessOptions options, std::function<void(const std::string &)> say);
    ~HeadlessCapture() override;

    // False when capture cannot even start (the folder cannot be written).
    bool Start();
    void Stop();
    void Tick();

    const Terminal &Core() const { return terminal_; }
    std::string CaptureFile() const { return terminal_.CaptureFile(); }

private:
    void ReadPort();
    void TryOpen();
    void OnClosed();

    HeadlessOptions options_;
    std::function<void(const std::string &)> say_;
    Terminal terminal_;
    ComPort port_;
    std::unique_ptr<ModemTapiDevice> modem_;
    QTimer tick_;
    QTimer retry_;
    bool stopping_ = false;
    bool lost_ = false;
};

} // namespace tillscribe

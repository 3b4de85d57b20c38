#include "HeadlessCapture.h"

#include "CaptureFiles.h"
#include "DeviceNames.h"
#include "ModemTapiDevice.h"
#include "ShortDate.h"
#include "TillscribeVivudivUnit.h"

namespace tillscribe {

HeadlessCapture::HeadlessCapture(HeadlessOptions options, std::function<void(const std::string &)> say)
    : options_(std::move(options)), say_(std::move(say))
{
    if (!options_.shortDate)
        options_.shortDate = ShortDateToday;
    const int model = options_.model;
    terminal_.SetProcessCharHook([model](std::uint8_t c, TEmuCommand &command) {
        FilterByte(VivudivFilterState(), model, c, command);
    });
    connect(&port_, &ComPort::DataReceived, this, &HeadlessCapture::ReadPort);
    // The modem hands the line over by opening it for the reader.
    connect(&port_, &ComPort::Opened, this, &HeadlessCapture::ReadPort);
    connect(&port_, &ComPort::Closed, this, &HeadlessCapture::OnClosed);
    tick_.setInterval(options_.tickMs);
    connect(&tick_, &QTimer::timeout, this, &HeadlessCapture::Tick);
    retry_.setInterval(options_.retryMs);
    connect(&retry_, &QTimer::timeout, this, &HeadlessCapture::TryOpen);
}

HeadlessCapture::~HeadlessCapture()
{
    Stop();
}

void HeadlessCapture::ReadPort()
{
    const QByteArray bytes = port_.ReadAll();
    terminal_.Receive(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
}

bool HeadlessCapture::Start()
{
    try {
        tillscribe::StartNewCaptureFile(terminal_, options_.folder, options_.shortDate());
    } catch (const std::exception &e) {
        say_(std::string("Cannot capture to ") + terminal_.CaptureFile() + ": " + e.what());
        return false;
    }
    say_("Capture file " + terminal_.CaptureFile());
    tick_.start();
    port_.SetDataBits(QSerialPort::Data8);
    port_.SetParity(QSerialPort::NoParity);
    port_.SetStopBits(QSerialPort::OneStop);

    if (!IsDirectRoad(options_.device)) {
        modem_ = std::make_unique<ModemTapiDevice>(&port_);
        modem_->SetChooseDevice([](const QStringList &) { return QString(); });
        connect(modem_.get(), &TapiDevice::TapiConnect, this, [this] { say_("COLLECTING"); });
        modem_->SetSelectedDevice(QString::fromStdString(options_.device));
        say_("DIALING");
        try {
            modem_->Dial(QString::fromStdString(options_.phone));
        } catch (const std::exception &) {
            say_("Unable to Connect to Modem");
            return false;
        }
        return true;
    }
    port_.SetTapiMode(tmOff);
    port_.SetComNumber(PortNumberFromCaption(options_.device));
    TryOpen();
    return true;
}

void HeadlessCapture::TryOpen()
{
    try {
        port_.Open();
    } catch (const std::exception &) {
        if (!lost_) {
            say_("Unable to Open Port, it is either unavailable or in use; trying again");
            lost_ = true;
        }
        retry_.start();
        return;
    }
    retry_.stop();
    lost_ = false;
    say_("COLLECTING");
}

void HeadlessCapture::OnClosed()
{
    if (stopping_ || modem_)
        return;
    say_("Port lost; reopening it when it comes back");
    lost_ = true;
    retry_.start();
}

void HeadlessCapture::Tick()
{
    try {
        ReopenCaptureAppending(terminal_);
        if (IsOverSizeLimit(terminal_.CaptureFile())) {
            tillscribe::StartNewCaptureFile(terminal_, options_.folder, options_.shortDate());
            say_("File reached max size. New file is " + terminal_.CaptureFile());
        }
    } catch (const std::exception &e) {
        say_(e.what());
    }
}

void HeadlessCapture::Stop()
{
    if (stopping_)
        return;
    stopping_ = true;
    tick_.stop();
    retry_.stop();
    if (modem_) {
        try {
            modem_->CancelCall();
        } catch (const std::exception &) {
        }
    }
    port_.Close();
    try {
        terminal_.SetCapture(cmOff);
    } catch (const std::exception &) {
    }
}

} // namespace tillscribe

#include "DeviceDialog.h"

#include "TelephonyDevices.h"
#include "WinePaths.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tillscribe {

bool ComPortExists(int number)
{
    const std::string path = ComPortDevice(number);
    if (path.empty())
        return false;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EACCES || errno == EBUSY || errno == EPERM;
}

DeviceDialog::DeviceDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Device Selection"));
    cbxDevices_ = new QComboBox(this);
    cbxDevices_->setEditable(false);
    cbxDevices_->setMinimumWidth(220);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cbxDevices_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DeviceDialog::SetPreselection(TTapiMode mode, int comNumber, const QString &deviceName)
{
    mode_ = mode;
    comNumber_ = comNumber;
    deviceName_ = deviceName;
}

void DeviceDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!built_)
        BuildList();
}

void DeviceDialog::BuildList()
{
    built_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    cbxDevices_->clear();
    if (showTapiDevices_)
        for (const std::string &name : TelephonyDeviceNames())
            cbxDevices_->addItem(QString::fromStdString(name));
    if (showPorts_) {
        for (int n = 1; n <= kLastComNumber; ++n) {
            if (ComPortExists(n))
                cbxDevices_->addItem(QStringLiteral("Direct to COM%1").arg(n));
            QApplication::processEvents();
        }
    }
    const QString wanted =
        mode_ == tmOff ? QStringLiteral("Direct to COM%1").arg(comNumber_) : deviceName_;
    const int index = cbxDevices_->findText(wanted, Qt::MatchExactly);
    cbxDevices_->setCurrentIndex(index >= 0 ? index : 0);
    QApplication::restoreOverrideCursor();
}

QStringList DeviceDialog::Entries() const
{
    QStringList entries;
    for (int i = 0; i < cbxDevices_->count(); ++i)
        entries << cbxDevices_->itemText(i);
    return entries;
}

QString DeviceDialog::SelectedName() const
{
    return cbxDevices_->currentText();
}

bool DeviceDialog::IsDirectPortEntry(const QString &entry)
{
    return entry.contains(QStringLiteral("Direct to COM"));
}

int DeviceDialog::DirectPortNumber(const QString &entry)
{
    return entry.mid(13).toInt();
}

} // namespace tillscribe

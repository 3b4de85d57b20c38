// "Device Selection": the user picks a telephony device or a direct port.
//
//   DeviceDialog dialog;
//   dialog.SetShowTapiDevices(true); dialog.SetShowPorts(true);
//   dialog.SetPreselection(tmOff, 7, "");      // or (tmAuto, 0, "Office modem")
//   if (dialog.exec() == QDialog::Accepted) dialog.SelectedName() ...
//
// The list is built when the dialog is first shown, with the busy cursor up:
// the telephony devices first, then "Direct to COM" n for every port 1-50
// that exists (opens, or is refused as busy or not permitted), with pending
// events processed between ports.
#pragma once

#include "ComPort.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;

namespace tillscribe {

class DeviceDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLastComNumber = 50;

    explicit DeviceDialog(QWidget *parent = nullptr);

    void SetShowTapiDevices(bool show) { showTapiDevices_ = show; }
    void SetShowPorts(bool show) { showPorts_ = show; }
    void SetPreselection(TTapiMode mode, int comNumber, const QString &deviceName);

    // Builds the list now (done by the first show otherwise).
    void BuildList();
    QStringList Entries() const;
    QString SelectedName() const;

    // Whether the chosen entry is a direct port, and its number.
    static bool IsDirectPortEntry(const QString &entry);
    static int DirectPortNumber(const QString &entry);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QComboBox *cbxDevices_ = nullptr;
    bool built_ = false;
    bool showTapiDevices_ = true;
    bool showPorts_ = true;
    TTapiMode mode_ = tmNone;
    int comNumber_ = 0;
    QString deviceName_;
};

// A port exists when opening it works or is refused for being in use or for
// permission.
bool ComPortExists(int number);

} // namespace tillscribe

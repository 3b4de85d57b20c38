// The terminal window: paints the terminal's grid and sends typed keys to
// the line.
//
//   TerminalWidget terminal;
//   terminal.SetComPort(&port);                  // attaches itself when it opens
//   terminal.Core().SetProcessCharHook(hook);    // the emulator's per-byte hook
//   terminal.SetCaptureFile(name); terminal.SetCapture(cmOn);
//   terminal.SetActive(true);                    // read the open port
//
// Received bytes are read from the port in blocks and run through the hook,
// the screen and the capture at once; the window repaints on a short timer,
// so a burst neither freezes it nor costs a paint per byte. Only the visible
// rows are painted. Keys typed while attached to an open port go to the line
// and are not shown here.
#pragma once

#include "Terminal.h"

#include <QAbstractScrollArea>
#include <QTimer>

namespace tillscribe {

class ComPort;

class TerminalWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TerminalWidget(QWidget *parent = nullptr);
    ~TerminalWidget() override;

    Terminal &Core() { return terminal_; }
    const Terminal &Core() const { return terminal_; }

    void SetComPort(ComPort *port);
    bool Active() const { return active_; }
    void SetActive(bool active);

    TCaptureMode Capture() const { return terminal_.Capture(); }
    void SetCapture(TCaptureMode mode) { terminal_.SetCapture(mode); }
    QString CaptureFile() const { return QString::fromStdString(terminal_.CaptureFile()); }
    void SetCaptureFile(const QString &name) { terminal_.SetCaptureFile(name.toStdString()); }

    void ClearAll();
    void ClearPage();

    // Reads whatever the port holds now (also called on every port notice).
    void ReadPort();

    // A row of the screen as the user sees it (Windows-1252 decoded).
    QString RowText(int row) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void ScheduleRepaint();
    void Repaint();
    void UpdateScrollBars();
    void FollowCursor();
    int LineHeight() const;
    int CharWidth() const;

    Terminal terminal_;
    ComPort *port_ = nullptr;
    bool active_ = false;
    QTimer repaintTimer_;
};

} // namespace tillscribe

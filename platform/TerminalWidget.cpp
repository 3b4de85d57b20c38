#include "TerminalWidget.h"

#include "ComPort.h"
#include "Cp1252.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace tillscribe {
namespace {

// Repaints gather the changes of this many milliseconds.
constexpr int kRepaintDelayMs = 40;

const QColor kSilver(0xC0, 0xC0, 0xC0);

} // namespace

TerminalWidget::TerminalWidget(QWidget *parent) : QAbstractScrollArea(parent)
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(12);
    setFont(font);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::Text, kSilver);
    viewport()->setPalette(palette);
    viewport()->setAutoFillBackground(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    repaintTimer_.setSingleShot(true);
    repaintTimer_.setInterval(kRepaintDelayMs);
    connect(&repaintTimer_, &QTimer::timeout, this, &TerminalWidget::Repaint);
    UpdateScrollBars();
}

TerminalWidget::~TerminalWidget()
{
    // Capture is switched off with the window, so the last bytes reach the file.
    try {
        terminal_.SetCapture(cmOff);
    } catch (...) {
    }
}

void TerminalWidget::SetComPort(ComPort *port)
{
    if (port_)
        disconnect(port_, nullptr, this, nullptr);
    port_ = port;
    if (!port_)
        return;
    connect(port_, &ComPort::DataReceived, this, [this] {
        if (active_)
            ReadPort();
    });
    // Attaches itself whenever someone (the telephony device) opens the port.
    connect(port_, &ComPort::Opened, this, [this] { SetActive(true); });
}

void TerminalWidget::SetActive(bool active)
{
    active_ = active;
    if (active_)
        ReadPort();
}

void TerminalWidget::ReadPort()
{
    if (!port_ || !port_->IsOpen())
        return;
    const QByteArray bytes = port_->ReadAll();
    if (bytes.isEmpty())
        return;
    terminal_.Receive(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
    ScheduleRepaint();
}

void TerminalWidget::ClearAll()
{
    terminal_.ClearAll();
    Repaint();
}

void TerminalWidget::ClearPage()
{
    terminal_.ClearPage();
    ScheduleRepaint();
}

QString TerminalWidget::RowText(int row) const
{
    const std::string_view cells = terminal_.Screen().Row(row);
    QString text(static_cast<qsizetype>(cells.size()), QChar(' '));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto c = static_cast<unsigned char>(cells[i]);
        // Control codes get their control picture, so they can be seen.
        text[static_cast<qsizetype>(i)] = c < 0x20 ? QChar(static_cast<char16_t>(0x2400 + c))
                                                   : Cp1252ToUnicode(c);
    }
    return text;
}

void TerminalWidget::ScheduleRepaint()
{
    if (!repaintTimer_.isActive())
        repaintTimer_.start();
}

void TerminalWidget::Repaint()
{
    FollowCursor();
    viewport()->update();
}

int TerminalWidget::LineHeight() const
{
    return qMax(1, fontMetrics().height());
}

int TerminalWidget::CharWidth() const
{
    return qMax(1, fontMetrics().horizontalAdvance(QLatin1Char('M')));
}

void TerminalWidget::UpdateScrollBars()
{
    const TerminalScreen &screen = terminal_.Screen();
    const int visibleRows = qMax(1, viewport()->height() / LineHeight());
    verticalScrollBar()->setRange(0, qMax(0, screen.Rows() - visibleRows));
    verticalScrollBar()->setPageStep(visibleRows);
    const int width = screen.Columns() * CharWidth();
    horizontalScrollBar()->setRange(0, qMax(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void TerminalWidget::FollowCursor()
{
    const int visibleRows = qMax(1, viewport()->height() / LineHeight());
    const int cursor = terminal_.Screen().CursorRow();
    QScrollBar *bar = verticalScrollBar();
    if (cursor < bar->value())
        bar->setValue(cursor);
    else if (cursor >= bar->value() + visibleRows)
        bar->setValue(cursor - visibleRows + 1);
}

void TerminalWidget::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    FollowCursor();
}

void TerminalWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(kSilver);
    const int lineHeight = LineHeight();
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int x = -horizontalScrollBar()->value();
    const int rows = terminal_.Screen().Rows();
    for (int r = first, y = 0; r < rows && y < viewport()->height(); ++r, y += lineHeight)
        painter.drawText(x, y + ascent, RowText(r));
    const TerminalScreen &screen = terminal_.Screen();
    if (screen.CursorRow() >= first) {
        const QRect cursor(x + screen.CursorColumn() * CharWidth(),
                           (screen.CursorRow() - first) * lineHeight + lineHeight - 2,
                           CharWidth(), 2);
        painter.fillRect(cursor, kSilver);
    }
}

void TerminalWidget::keyPressEvent(QKeyEvent *event)
{
    if (!active_ || !port_ || !port_->IsOpen()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    QByteArray bytes;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        bytes = "\r";
        break;
    case Qt::Key_Backspace:
        bytes = "\b";
        break;
    case Qt::Key_Escape:
        bytes = "\x1b";
        break;
    default:
        bytes = event->text().toLatin1();
        break;
    }
    if (bytes.isEmpty()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    port_->Write(bytes);
    event->accept();
}

} // namespace tillscribe

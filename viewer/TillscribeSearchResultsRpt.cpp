#include "TillscribeSearchResultsRpt.h"

#include "ShortDate.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QEventLoop>

#include <ctime>

namespace tillscribe {
namespace {

constexpr qreal kHeaderHeight = 0.417; // inches
constexpr qreal kDetailHeight = 0.208;

ReportPreviewRunner gPreviewRunner;

QFont ArialPoints(int points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

// The date and time the page is made: short date, a space, long time.
QString PageDateTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char time[64];
    const size_t n = std::strftime(time, sizeof time, "%X", &local);
    return QString::fromLocal8Bit(ShortDate(local).c_str()) + QLatin1Char(' ')
        + QString::fromLocal8Bit(time, static_cast<qsizetype>(n));
}

} // namespace

void SetReportPreviewRunner(ReportPreviewRunner runner)
{
    gPreviewRunner = std::move(runner);
}

TqrTillscribeSearchResultsRpt::TqrTillscribeSearchResultsRpt(QObject *owner, const QString &title,
                                                             const QStringList &entries)
    : QObject(owner), title_(title), FResultList(entries)
{
}

bool TqrTillscribeSearchResultsRpt::qrTillscribeSearchResultsRptBeforePrint()
{
    FItemIndex = 0;
    return !FResultList.isEmpty();
}

void TqrTillscribeSearchResultsRpt::QuickReport1NeedData(bool &moreData)
{
    if (FItemIndex < FResultList.size())
        lblText = FResultList.at(FItemIndex);
    ++FItemIndex;
    moreData = FResultList.size() >= FItemIndex;
}

void TqrTillscribeSearchResultsRpt::SetUpPage(QPrinter &printer)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                      QMarginsF(0.3, 0.5, 0.3, 0.5), QPageLayout::Inch));
    printer.setCopyCount(1);
    printer.setDuplex(QPrinter::DuplexNone);
}

qreal TqrTillscribeSearchResultsRpt::DrawHeader(QPainter &painter, qreal dpi, int page)
{
    const auto at = [dpi](qreal inches) { return inches * dpi; };
    painter.setFont(ArialPoints(10, true));
    const qreal baseline = at(0.115) + painter.fontMetrics().ascent();
    painter.drawText(QPointF(at(0.083), baseline), QStringLiteral("Date:"));
    painter.drawText(QPointF(at(6.833), baseline), QStringLiteral("Page:"));
    painter.setFont(ArialPoints(10));
    painter.drawText(QPointF(at(0.5), baseline), PageDateTime());
    painter.drawText(QPointF(at(7.25), baseline), QString::number(page));

    // The title grows downward when it needs more lines.
    painter.setFont(ArialPoints(18));
    const QRectF titleBox(at(2.0), at(0.0625), at(3.927), at(0.292));
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    QRectF needed = painter.boundingRect(titleBox, flags, title_);
    needed.setHeight(qMax(needed.height(), titleBox.height()));
    painter.drawText(QRectF(titleBox.topLeft(), QSizeF(titleBox.width(), needed.height())), flags, title_);
    return qMax(at(kHeaderHeight), at(0.0625) + needed.height());
}

void TqrTillscribeSearchResultsRpt::Print(QPrinter *printer)
{
    pagesMade_ = 0;
    if (!qrTillscribeSearchResultsRptBeforePrint())
        return;
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    const qreal dpi = printer->resolution();
    const qreal pageHeight = printer->pageLayout().paintRectPixels(printer->resolution()).height();
    const qreal detailHeight = kDetailHeight * dpi;
    painter.setPen(Qt::black);

    int page = 1;
    qreal y = DrawHeader(painter, dpi, page);
    bool moreData = false;
    QuickReport1NeedData(moreData);
    while (moreData) {
        if (y + detailHeight > pageHeight) {
            printer->newPage();
            y = DrawHeader(painter, dpi, ++page);
        }
        painter.setFont(ArialPoints(10));
        painter.drawText(QPointF(0.333 * dpi, y + 0.021 * dpi + painter.fontMetrics().ascent()), lblText);
        y += detailHeight;
        QuickReport1NeedData(moreData);
    }
    pagesMade_ = page;
}

void TqrTillscribeSearchResultsRpt::Preview()
{
    if (gPreviewRunner) {
        gPreviewRunner(*this);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    SetUpPage(printer);
    QPrintPreviewDialog preview(&printer);
    preview.setWindowTitle(QStringLiteral("Print Preview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *target) { Print(target); });
    // Modeless toward the other windows: they stay usable while it is up.
    preview.setWindowModality(Qt::NonModal);
    QEventLoop loop;
    connect(&preview, &QDialog::finished, &loop, &QEventLoop::quit);
    preview.show();
    loop.exec();
}

} // namespace tillscribe

// The printed list of Find All hits: a banded report on Letter paper.
//
//   TqrTillscribeSearchResultsRpt report(owner, title, entries);
//   report.Print(&printer);     // every page: header, then detail bands
//   report.Preview();           // the preview window; returns when it closes
//
// The page header (bold "Date:" with the date and time the page is made,
// bold "Page:" with its number, the title in Arial 18 pt, centred and
// wrapped) comes on every page; one detail band of 0.208 in per entry. The
// report is made only when there is at least one entry.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QPainter;
class QPrinter;

namespace tillscribe {

class TqrTillscribeSearchResultsRpt : public QObject {
    Q_OBJECT
public:
    TqrTillscribeSearchResultsRpt(QObject *owner, const QString &title, const QStringList &entries);

    // Before the report is made: start at the first entry. False: no report.
    bool qrTillscribeSearchResultsRptBeforePrint();
    // The next detail record into lblText; moreData tells whether to print it.
    void QuickReport1NeedData(bool &moreData);

    // Letter, portrait, margins 0.5 in top and bottom, 0.3 in at the sides.
    static void SetUpPage(QPrinter &printer);
    // Makes the report on the printer (a PDF file, a real printer, a preview).
    void Print(QPrinter *printer);
    // Runs the preview; returns when the user has closed it.
    void Preview();

    int PagesMade() const { return pagesMade_; }
    QString lblText;

private:
    qreal DrawHeader(QPainter &painter, qreal dpi, int page);

    QString title_;
    // The list's entries: shared with it, not copied (QStringList shares).
    const QStringList FResultList;
    int FItemIndex = 0;
    int pagesMade_ = 0;
};

// Replaces how a preview is run (tests; nullptr: the preview window again).
using ReportPreviewRunner = std::function<void(TqrTillscribeSearchResultsRpt &)>;
void SetReportPreviewRunner(ReportPreviewRunner runner);

} // namespace tillscribe

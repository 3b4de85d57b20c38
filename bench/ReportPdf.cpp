// Report figure: the find-all report of N entries made into a PDF; pages per
// second. With --preview it opens the preview window instead (to look at it).
//
//   report-pdf [N] [--preview]
#include "TillscribeSearchResultsRpt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    const bool preview = argc > 2 && std::strcmp(argv[2], "--preview") == 0;
    if (!preview)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    QStringList entries;
    for (int i = 0; i < count; ++i)
        entries << QString::number(i * 10) + QStringLiteral("     TOTAL %1          12.50").arg(i);
    tillscribe::TqrTillscribeSearchResultsRpt report(nullptr, QStringLiteral("Search Results - 12_9_2025_1.txt"),
                                                     entries);
    if (preview) {
        report.Preview();
        return 0;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/report-bench.pdf"));
    tillscribe::TqrTillscribeSearchResultsRpt::SetUpPage(printer);
    QElapsedTimer clock;
    clock.start();
    report.Print(&printer);
    const double seconds = clock.elapsed() / 1000.0;
    std::printf("report     %d entries, %d pages in %.2f s = %.0f pages/s\n", count, report.PagesMade(),
                seconds, report.PagesMade() / seconds);
    return 0;
}

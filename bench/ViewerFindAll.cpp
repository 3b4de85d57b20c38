// Viewer figure: the real log viewer, offscreen, opens a capture file and
// runs Find All; prints the milliseconds of each step and the hits.
//
//   viewer-find-all FILE WORD
#include "MessageBoxes.h"
#include "SearchResultsSink.h"
#include "TillscribeViewLogsFm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: viewer-find-all FILE WORD\n");
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const QString file = QString::fromLocal8Bit(argv[1]);
    tillscribe::ViewLogsServices services;
    services.chooseFileToOpen = [&file] { return file; };
    tillscribe::TfrmTillscribeViewLogs viewer(nullptr, services);
    viewer.show();
    qsizetype hits = 0;
    tillscribe::SetSearchResultsWindow(
        [&hits](QWidget *, const QStringList &entries, const QString &, const QString &) {
            hits = entries.size();
        });
    QElapsedTimer clock;
    clock.start();
    viewer.mnuFileOpenClick();
    const qint64 openMs = clock.restart();
    viewer.edtSearch->setText(QString::fromLocal8Bit(argv[2]));
    viewer.btnFindAllClick();
    const qint64 findMs = clock.elapsed();
    std::printf("viewer     open %4lld ms, Find All %4lld ms, %lld hits\n",
                static_cast<long long>(openMs), static_cast<long long>(findMs),
                static_cast<long long>(hits));
    return 0;
}

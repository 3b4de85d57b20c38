#include "Help.h"

#include "Application.h"
#include "WinePaths.h"

#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace tillscribe {
namespace {

HelpViewer gViewer;
QPointer<QTextBrowser> gWindow;

} // namespace

void SetHelpViewer(HelpViewer viewer)
{
    gViewer = std::move(viewer);
}

QString HelpDocumentPath(const QString &helpFile)
{
    const QString name = QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html");
    const QString folder = QString::fromStdString(ProgramFolder());
    for (const QString &candidate : {folder + name, folder + QStringLiteral("../share/tillscribe/") + name})
        if (QFileInfo::exists(candidate))
            return QFileInfo(candidate).absoluteFilePath();
    return {};
}

void ShowHelp(int context)
{
    if (gViewer) {
        gViewer(context);
        return;
    }
    auto *app = dynamic_cast<TillscribeApplication *>(qApp);
    const QString helpFile = app ? app->HelpFile() : QStringLiteral("TILLSCRIBE.hlp");
    if (!gWindow) {
        gWindow = new QTextBrowser;
        gWindow->setAttribute(Qt::WA_DeleteOnClose);
        gWindow->setOpenExternalLinks(true);
        gWindow->resize(640, 560);
    }
    gWindow->setWindowTitle(QStringLiteral("TILLSCRIBE Help"));
    const QString path = HelpDocumentPath(helpFile);
    if (path.isEmpty()) {
        gWindow->setHtml(QStringLiteral("<h2>Help is not installed</h2><p>The help document <b>%1</b> "
                                        "was not found beside the program.</p>")
                             .arg(QFileInfo(helpFile).completeBaseName() + QStringLiteral(".html")));
    } else {
        QUrl url = QUrl::fromLocalFile(path);
        url.setFragment(QStringLiteral("context-%1").arg(context));
        gWindow->setSource(url);
        gWindow->scrollToAnchor(url.fragment());
    }
    gWindow->show();
    gWindow->raise();
    gWindow->activateWindow();
}

} // namespace tillscribe

#include "ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

namespace tillscribe {
namespace {

ShellOpener gOpener;

} // namespace

void SetShellOpener(ShellOpener opener)
{
    gOpener = std::move(opener);
}

void ShellOpen(const QString &target)
{
    if (gOpener) {
        gOpener(target);
        return;
    }
    QDesktopServices::openUrl(QUrl(target, QUrl::TolerantMode));
}

} // namespace tillscribe

// Where Find All hands its hits: the find-all results window.
//
// The viewer calls ShowSearchResults(owner, entries, searchText, fileName);
// the results window shows itself modeless, owned by the viewer. Tests may
// register another window with SetSearchResultsWindow.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tillscribe {

using SearchResultsWindowFactory = std::function<void(
    QWidget *owner, const QStringList &entries, const QString &searchText, const QString &fileName)>;

void SetSearchResultsWindow(SearchResultsWindowFactory factory);
void ShowSearchResults(QWidget *owner, const QStringList &entries, const QString &searchText,
                       const QString &fileName);

} // namespace tillscribe

// Where Find All hands its hits: the find-all results window.
//
// The viewer calls ShowSearchResults(owner, entries, searchText, fileName);
// the results window, registered with SetSearchResultsWindow, shows itself
// modeless, owned by the viewer. Until one is registered the hits go nowhere.
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

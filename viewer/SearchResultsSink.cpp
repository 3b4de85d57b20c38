#include "SearchResultsSink.h"

#include "TillscribeSearchResultsFm.h"

namespace tillscribe {
namespace {

SearchResultsWindowFactory gFactory;

} // namespace

void SetSearchResultsWindow(SearchResultsWindowFactory factory)
{
    gFactory = std::move(factory);
}

void ShowSearchResults(QWidget *owner, const QStringList &entries, const QString &searchText,
                       const QString &fileName)
{
    if (gFactory)
        gFactory(owner, entries, searchText, fileName);
    else // shows itself; owned by the viewer and destroyed with it or on close
        new TfrmTillscribeSearchResults(owner, entries, searchText, fileName);
}

} // namespace tillscribe

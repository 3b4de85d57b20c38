// Help: the program's HTML help document, shown in a help window at the
// topic of a context number.
//
//   ShowHelp(4);      // the main window's topic; the viewer's is 5
//
// The document is the application's help file name with ".html" for its
// extension ("TILLSCRIBE.hlp" -> "TILLSCRIBE.html"), looked for beside the
// program, then in ../share/tillscribe. Topic n is its anchor "context-n". A
// missing document is said in the help window itself.
#pragma once

#include <QString>

#include <functional>

namespace tillscribe {

void ShowHelp(int context);
QString HelpDocumentPath(const QString &helpFile);

using HelpViewer = std::function<void(int context)>;
void SetHelpViewer(HelpViewer viewer); // nullptr: the help window again

} // namespace tillscribe

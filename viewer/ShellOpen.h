// Opens a web or mail link with the desktop's own handler.
//
//   ShellOpen("https://www.example.com/");
//   ShellOpen("mailto:support@example.com");
//
// The target is handed over whole, whatever its length. Failures are not
// reported. Tests replace the opener to see what was handed over.
#pragma once

#include <QString>

#include <functional>

namespace tillscribe {

void ShellOpen(const QString &target);

using ShellOpener = std::function<void(const QString &target)>;
void SetShellOpener(ShellOpener opener); // nullptr: the desktop's handler again

} // namespace tillscribe

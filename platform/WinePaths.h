// Where Windows names live on this machine.
//
//   ProgramFolder()          folder of the running executable, ending in "/"
//   WinePrefix()             $WINEPREFIX, or ~/.wine
//   DriveCPath("Program Files\\Borland")   the same path under drive_c
//   ComPortDevice(7)         the device behind COM7
//
// Drive C: is Wine's drive_c, so programs under Wine and these programs see
// the same files. COM n is Wine's dosdevices/com<n> link when there is one,
// else COM1-32 are ttyS0-31, COM33-40 ttyUSB0-7, COM41-50 ttyACM0-9.
#pragma once

#include <string>

namespace tillscribe {

std::string ProgramFolder();
// Where the program keeps its own files (capture files, settings beside it):
// the program's folder, or, where that cannot be written (a packaged
// install in /usr/bin), $XDG_DATA_HOME/tillscribe/ (~/.local/share/...).
std::string DataFolder();
std::string ProgramPath();
std::string WinePrefix();
std::string DriveCPath(const std::string &windowsPathBelowC);
std::string ComPortDevice(int number);

// The entry of folder (ending in "/") whose name matches name in any letter
// case, as a full path; empty when there is none.
std::string FindIgnoringCase(const std::string &folder, const std::string &name);

} // namespace tillscribe

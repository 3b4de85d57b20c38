// After the copy, the capture files of the old program get the extension
// the current program reads: "Z7A.CAP" and "z7a.cap" become "Z7A.txt".
//
//   RenameOldCaptureFiles(OldProgramFolder());
//
// In the old program's folder, every regular file whose name, with a-z
// capitalised, ends in ".CAP" is renamed there to the capitalised name with
// "txt" for its last three characters. A rename that would replace a file,
// or fails in any way, is passed over and the rest are still tried; folders
// and symbolic links are left alone.
#pragma once

#include <string>

namespace tillscribe {

// C:\Program Files\TILLSCRIBE by the drive C: rule, found in any letter
// case; empty when there is no such folder.
std::string OldProgramFolder();

// Returns how many files were renamed.
int RenameOldCaptureFiles(const std::string &folder);

} // namespace tillscribe

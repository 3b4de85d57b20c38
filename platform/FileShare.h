// Windows file sharing on Linux.
//
// Every open that the programs make declares what it does with the file
// (read, write) and what it lets other opens do meanwhile (share read,
// share write), as a Windows CreateFile call does. Two opens of one file
// conflict when one wants an access the other does not share. Other
// programs that do not declare anything are not affected.
//
//   SharedOpenResult r = OpenShared(path, O_RDWR | O_CREAT,
//                                   kAccessReadWrite, kShareReadWrite);
//   if (!r.fd) { r.sharingViolation, r.error (errno) tell why }
//
// The declaration lives as long as the descriptor: closing it ends it.
#pragma once

#include "UniqueFd.h"

#include <string>
#include <sys/types.h>

namespace tillscribe {

enum ShareAccess : unsigned { kAccessRead = 1, kAccessWrite = 2, kAccessReadWrite = 3 };
enum ShareMode : unsigned { kShareNone = 0, kShareRead = 1, kShareWrite = 2, kShareReadWrite = 3 };

struct SharedOpenResult {
    UniqueFd fd;
    int error = 0;                 // errno when the open itself failed
    bool sharingViolation = false; // another open's declaration refused this one
};

// Opens path with open(2) flags (O_WRONLY is widened to O_RDWR; O_TRUNC is
// applied only once the sharing check has passed, so a refused open never
// empties a file).
SharedOpenResult OpenShared(const std::string &path, int flags, ShareAccess access,
                            ShareMode share, mode_t createMode = 0644);

} // namespace tillscribe

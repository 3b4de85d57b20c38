// The user's words for a failed file operation, as the capture switches and
// the file tests report them.
#pragma once

#include <string>

namespace tillscribe {

// "Path not found", "File access denied", the sharing violation's text, or
// the system's own text for any other errno.
std::string IoErrorText(int error, bool sharingViolation = false);

} // namespace tillscribe

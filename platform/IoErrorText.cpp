#include "IoErrorText.h"

#include <cerrno>
#include <cstring>

namespace tillscribe {

std::string IoErrorText(int error, bool sharingViolation)
{
    if (sharingViolation)
        return "The process cannot access the file because it is being used by another process";
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return "Path not found";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return "File access denied";
    default:
        return std::strerror(error);
    }
}

} // namespace tillscribe

#include "FileShare.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tillscribe {
namespace {

// The declaration is a set of shared open-file-description locks on marker
// bytes far beyond any real data: one per access held, one per access denied.
// OFD locks belong to the open, not to the process, so two opens within the
// capture program see each other exactly as two programs would.
constexpr off_t kMarkerBase = off_t{0x7fffffff} << 24;
enum Marker : off_t { kHoldsRead = 0, kHoldsWrite = 1, kDeniesRead = 2, kDeniesWrite = 3 };

struct flock MarkerLock(short type, Marker marker)
{
    struct flock lock = {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = kMarkerBase + marker;
    lock.l_len = 1;
    return lock;
}

// False when the file system cannot keep OFD locks: sharing is then not
// enforced rather than every open failing.
bool Declare(int fd, Marker marker)
{
    struct flock lock = MarkerLock(F_RDLCK, marker);
    int rc;
    do {
        rc = ::fcntl(fd, F_OFD_SETLK, &lock);
    } while (rc < 0 && errno == EINTR);
    return rc == 0;
}

bool DeclaredByAnother(int fd, Marker marker)
{
    struct flock lock = MarkerLock(F_WRLCK, marker);
    if (::fcntl(fd, F_OFD_GETLK, &lock) < 0)
        return false;
    return lock.l_type != F_UNLCK;
}

} // namespace

SharedOpenResult OpenShared(const std::string &path, int flags, ShareAccess access,
                            ShareMode share, mode_t createMode)
{
    SharedOpenResult result;
    const bool truncate = flags & O_TRUNC;
    flags &= ~O_TRUNC;
    if ((flags & O_ACCMODE) == O_WRONLY)
        flags = (flags & ~O_ACCMODE) | O_RDWR;

    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC, createMode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    UniqueFd owned(fd);

    // Declare first, then look: two opens racing each other both see the
    // other and both fail, rather than both getting through.
    bool enforced = true;
    if (access & kAccessRead)
        enforced &= Declare(fd, kHoldsRead);
    if (access & kAccessWrite)
        enforced &= Declare(fd, kHoldsWrite);
    if (!(share & kShareRead))
        enforced &= Declare(fd, kDeniesRead);
    if (!(share & kShareWrite))
        enforced &= Declare(fd, kDeniesWrite);

    if (enforced) {
        const bool refused = ((access & kAccessRead) && DeclaredByAnother(fd, kDeniesRead))
            || ((access & kAccessWrite) && DeclaredByAnother(fd, kDeniesWrite))
            || (!(share & kShareRead) && DeclaredByAnother(fd, kHoldsRead))
            || (!(share & kShareWrite) && DeclaredByAnother(fd, kHoldsWrite));
        if (refused) {
            result.sharingViolation = true;
            result.error = EBUSY;
            return result;
        }
    }

    if (truncate && ::ftruncate(fd, 0) < 0) {
        result.error = errno;
        return result;
    }
    result.fd = std::move(owned);
    return result;
}

} // namespace tillscribe

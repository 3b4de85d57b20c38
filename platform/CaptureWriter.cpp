#include "CaptureWriter.h"

#include "FileShare.h"
#include "IoErrorText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tillscribe {

std::string CutToCharacters(const std::string &name, std::size_t max)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(name[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == max)
            return name.substr(0, i);
    }
    return name;
}

CaptureWriter::~CaptureWriter()
{
    Close();
}

void CaptureWriter::SetCapture(TCaptureMode mode)
{
    if (mode == mode_)
        return;
    Close();
    mode_ = mode;
    if (mode != cmOff)
        Open(mode);
}

void CaptureWriter::SetCaptureFile(const std::string &name)
{
    const std::string cut = CutToCharacters(name, kMaxNameLength);
    if (mode_ == cmOff) {
        name_ = cut;
        return;
    }
    const TCaptureMode previous = mode_;
    SetCapture(cmOff);
    name_ = cut;
    SetCapture(previous);
}

void CaptureWriter::Open(TCaptureMode mode)
{
    const std::string &path = name_.empty() ? std::string(kNameWhenEmpty) : name_;
    const int flags = O_RDWR | O_CREAT | (mode == cmOn ? O_TRUNC : O_APPEND);
    SharedOpenResult opened = OpenShared(path, flags, kAccessReadWrite, kShareReadWrite);
    if (!opened.fd)
        throw CaptureError(IoErrorText(opened.error, opened.sharingViolation));
    file_ = std::move(opened.fd);
    // Bytes kept from a failed write go first.
    if (used_ > 0)
        WriteBuffer();
}

void CaptureWriter::Close()
{
    if (!file_)
        return;
    WriteBuffer();
    file_.reset();
}

bool CaptureWriter::WriteBuffer()
{
    std::size_t written = 0;
    while (written < used_) {
        const ssize_t n = ::write(file_.get(), buffer_ + written, used_ - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // Disk full, device gone, ...: keep what did not reach the file.
        std::memmove(buffer_, buffer_ + written, used_ - written);
        used_ -= written;
        file_.reset();
        mode_ = cmOff;
        return false;
    }
    used_ = 0;
    return true;
}

} // namespace tillscribe

#include "CaptureFiles.h"

#include "FileShare.h"
#include "Terminal.h"

#include <cctype>
#include <fcntl.h>
#include <sys/stat.h>

namespace tillscribe {

bool FileExists(const std::string &name)
{
    struct stat st;
    return ::lstat(name.c_str(), &st) == 0;
}

std::string NextCaptureFileName(const std::string &folder, const std::string &shortDate)
{
    std::string date = shortDate;
    for (char &c : date)
        if (c == '/')
            c = '_';
    for (unsigned long n = 1;; ++n) {
        std::string name = folder + date + "_" + std::to_string(n) + ".txt";
        if (!FileExists(name))
            return name;
    }
}

std::string StartNewCaptureFile(Terminal &terminal, const std::string &folder,
                                const std::string &shortDate)
{
    const std::string name = NextCaptureFileName(folder, shortDate);
    terminal.SetCapture(cmOff);
    terminal.SetCaptureFile(name);
    terminal.SetCapture(cmOn);
    return name;
}

void ReopenCaptureAppending(Terminal &terminal)
{
    terminal.SetCapture(cmOff);
    terminal.SetCapture(cmAppend);
}

bool IsOverSizeLimit(const std::string &name)
{
    struct stat st;
    return ::stat(name.c_str(), &st) == 0 && st.st_size > kCaptureFileSizeLimit;
}

bool IsInUse(const std::string &name)
{
    SharedOpenResult opened = OpenShared(name, O_RDONLY, kAccessRead, kShareRead);
    if (!opened.fd)
        return true;
    struct stat st;
    return ::fstat(opened.fd.get(), &st) != 0 || S_ISDIR(st.st_mode);
}

std::string WithTxtExtension(const std::string &name)
{
    if (FileExists(name))
        return name;
    if (name.size() >= 4) {
        std::string last4 = name.substr(name.size() - 4);
        for (char &c : last4)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (last4 == ".TXT")
            return name;
    }
    return name + ".txt";
}

} // namespace tillscribe

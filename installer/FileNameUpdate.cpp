#include "FileNameUpdate.h"

#include "WinePaths.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tillscribe {
namespace {

std::string AsciiCapitals(std::string name)
{
    for (char &c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

// Renames without ever replacing an existing file, as Windows' rename does.
bool RenameNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without RENAME_NOREPLACE: a link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

} // namespace

std::string OldProgramFolder()
{
    const std::string programFiles = DriveCPath("Program Files\\");
    const std::string folder = FindIgnoringCase(programFiles, "TILLSCRIBE");
    struct stat st;
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return folder + "/";
}

int RenameOldCaptureFiles(const std::string &folder)
{
    if (folder.empty())
        return 0;
    std::vector<std::string> names;
    if (DIR *dir = ::opendir(folder.c_str())) {
        while (const dirent *entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
    }
    int renamed = 0;
    for (const std::string &name : names) {
        const std::string path = folder + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        const std::string capitals = AsciiCapitals(name);
        if (capitals.size() < 4 || capitals.compare(capitals.size() - 4, 4, ".CAP") != 0)
            continue;
        const std::string renamedName = capitals.substr(0, capitals.size() - 3) + "txt";
        if (RenameNoReplace(path, folder + renamedName))
            ++renamed;
    }
    return renamed;
}

} // namespace tillscribe

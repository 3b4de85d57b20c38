#include "WinePaths.h"

#include <cctype>
#include <cstdlib>
#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tillscribe {

std::string ProgramPath()
{
    std::vector<char> buffer(4096);
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size())
            return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder()
{
    const std::string path = ProgramPath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

static std::string HomeFolder();

std::string DataFolder()
{
    const std::string program = ProgramFolder();
    if (::access(program.c_str(), W_OK) == 0)
        return program;
    const char *data = std::getenv("XDG_DATA_HOME");
    const std::string base = data && *data == '/' ? std::string(data) : HomeFolder() + "/.local/share";
    for (const std::string &folder : {base, base + "/tillscribe"})
        ::mkdir(folder.c_str(), 0755);
    return base + "/tillscribe/";
}

static std::string HomeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

std::string WinePrefix()
{
    if (const char *prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    return HomeFolder() + "/.wine";
}

std::string DriveCPath(const std::string &windowsPathBelowC)
{
    std::string path = WinePrefix() + "/drive_c/";
    for (char c : windowsPathBelowC)
        path += c == '\\' ? '/' : c;
    return path;
}

std::string FindIgnoringCase(const std::string &folder, const std::string &name)
{
    const auto upper = [](std::string text) {
        for (char &c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return text;
    };
    const std::string wanted = upper(name);
    std::string found;
    if (DIR *dir = ::opendir(folder.c_str())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (upper(entry->d_name) == wanted) {
                found = folder + entry->d_name;
                // The exact spelling wins over other spellings.
                if (name == entry->d_name)
                    break;
            }
        }
        ::closedir(dir);
    }
    return found;
}

std::string ComPortDevice(int number)
{
    const std::string link = WinePrefix() + "/dosdevices/com" + std::to_string(number);
    struct stat st;
    if (::lstat(link.c_str(), &st) == 0)
        return link;
    if (number >= 1 && number <= 32)
        return "/dev/ttyS" + std::to_string(number - 1);
    if (number >= 33 && number <= 40)
        return "/dev/ttyUSB" + std::to_string(number - 33);
    if (number >= 41 && number <= 50)
        return "/dev/ttyACM" + std::to_string(number - 41);
    return {};
}

} // namespace tillscribe

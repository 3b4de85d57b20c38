#include "Installation.h"

#include "FileNameUpdate.h"
#include "StRegIni.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tillscribe {
namespace {

std::string Home()
{
    const char *home = std::getenv("HOME");
    return home && *home ? home : "/";
}

std::string XdgFolder(const char *variable, const char *fallback)
{
    const char *value = std::getenv(variable);
    return value && *value == '/' ? value : Home() + "/" + fallback;
}

// Creates path and its missing parents; adds the folders it made to made.
bool MakeFolders(const std::string &path, std::vector<std::string> &made)
{
    std::string partial;
    for (size_t at = 0; at != std::string::npos;) {
        const size_t next = path.find('/', at + 1);
        partial = path.substr(0, next);
        at = next;
        if (partial.empty())
            continue;
        if (::mkdir(partial.c_str(), 0755) == 0)
            made.push_back(partial);
        else if (errno != EEXIST)
            return false;
    }
    return true;
}

bool WriteText(const std::string &path, const std::string &text, mode_t mode = 0644)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out && ::chmod(path.c_str(), mode) == 0;
}

// One argument of a desktop entry's Exec line.
std::string ExecArgument(const std::string &argument)
{
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    // Then the string escape of the entry's value.
    std::string escaped;
    for (char c : quoted)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

std::string FileUrl(const std::string &path)
{
    static const char *hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c))
            url += static_cast<char>(c);
        else
            url += std::string("%") + hex[c >> 4] + hex[c & 15];
    }
    return url;
}

std::string XmlText(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

// "VELDRAN SYSTEMS" -> "veldran-systems", for file names of menu items.
std::string MenuId(const std::string &folder)
{
    std::string id = "veldran-menu-";
    for (unsigned char c : folder)
        id += std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '-';
    return id;
}

} // namespace

std::string ProgramFilesFolder()
{
    return ::geteuid() == 0 ? std::string("/opt") : Home() + "/.local/opt";
}

std::string DefaultDestination()
{
    return ProgramFilesFolder() + "/VELDRAN SYSTEMS/TILLSCRIBE";
}

std::string ApplicationsFolder()
{
    return XdgFolder("XDG_DATA_HOME", ".local/share") + "/applications";
}

std::string DesktopFolder()
{
    // As xdg-user-dir finds it: XDG_DESKTOP_DIR in user-dirs.dirs.
    std::ifstream dirs(XdgFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
    std::string line;
    while (std::getline(dirs, line)) {
        if (line.rfind("XDG_DESKTOP_DIR=\"", 0) != 0 || line.back() != '"')
            continue;
        std::string value = line.substr(17, line.size() - 18);
        if (value.rfind("$HOME", 0) == 0)
            value = Home() + value.substr(5);
        if (!value.empty() && value.front() == '/')
            return value;
    }
    return Home() + "/Desktop";
}

InstallResult Install(const InstallOptions &options, const UnpackProgress &progress)
{
    InstallResult result;
    const std::string dest = options.destination;
    std::vector<std::string> folders, files, entries;
    const auto fail = [&result](const std::string &line) { result.failures.push_back(line); };

    if (!MakeFolders(dest, folders)) {
        fail(dest + ": " + std::strerror(errno));
        return result;
    }
    bool cancelled = false;
    try {
        const UnpackProgress watch = [&](std::uint64_t done, std::uint64_t total) {
            cancelled = progress && !progress(done, total);
            return !cancelled;
        };
        for (const std::string &name : UnpackArchive(options.distributionFolder + "/files.1", dest, watch))
            files.push_back(dest + "/" + name);
    } catch (const ArchiveError &e) {
        fail(e.what());
    }
    if (cancelled)
        fail("Installation cancelled");

    if (result.failures.empty()) {
        const std::string applications = ApplicationsFolder();
        const std::string directories = XdgFolder("XDG_DATA_HOME", ".local/share") + "/desktop-directories";
        const std::string menus = XdgFolder("XDG_CONFIG_HOME", ".config") + "/menus/applications-merged";
        const std::string desktop = DesktopFolder();
        for (const std::string &folder : {applications, directories, menus, desktop})
            if (!MakeFolders(folder, folders))
                fail(folder + ": " + std::strerror(errno));

        const std::string program = dest + "/" + kProgramFileName;
        const std::string application =
            "[Desktop Entry]\nType=Application\nName=Tillscribe Vivudiv\n"
            "Comment=Capture station for Vivudiv cash registers\nExec=" + ExecArgument(program)
            + "\nTerminal=false\nCategories=Office;Finance;\n";
        const std::string id = MenuId(options.menuFolder);
        const struct {
            std::string path, text;
        } made[] = {
            {applications + "/veldran-tillscribe-uninstall.desktop",
             "[Desktop Entry]\nType=Application\nName=Uninstall Tillscribe\nExec="
                 + ExecArgument(dest + "/" + kUninstallerName) + " TILLSCRIBE\nTerminal=false\n"
                 + "NoDisplay=false\nCategories=Office;Finance;\n"},
            {applications + "/veldran-tillscribe-vivudiv.desktop", application},
            {applications + "/veldran-tillscribe-help.desktop",
             "[Desktop Entry]\nType=Link\nName=TILLSCRIBE Help Files\nURL=" + FileUrl(dest + "/" + kHelpFileName)
                 + "\n"},
            {directories + "/" + id + ".directory",
             "[Desktop Entry]\nType=Directory\nName=" + options.menuFolder + "\n"},
            {menus + "/" + id + ".menu",
             "<Menu>\n  <Name>Applications</Name>\n  <Menu>\n    <Name>" + XmlText(options.menuFolder)
                 + "</Name>\n    <Directory>" + id + ".directory</Directory>\n    <Include>\n"
                 "      <Filename>veldran-tillscribe-uninstall.desktop</Filename>\n"
                 "      <Filename>veldran-tillscribe-vivudiv.desktop</Filename>\n"
                 "      <Filename>veldran-tillscribe-help.desktop</Filename>\n"
                 "    </Include>\n  </Menu>\n</Menu>\n"},
            {desktop + "/tillscribe-vivudiv.desktop", application},
        };
        for (const auto &m : made) {
            if (WriteText(m.path, m.text, m.path.rfind(desktop, 0) == 0 ? 0755 : 0644))
                entries.push_back(m.path);
            else
                fail(m.path + ": cannot be written");
        }
    }

    // The record: what the uninstaller takes away, and the "registry" entries.
    try {
        TStRegIni record(dest + "/" + kInstallRecordName);
        record.SetCurSubKey("Uninstall");
        record.WriteString("DisplayName", "TILLSCRIBE");
        record.WriteString("UninstallString", dest + "/" + kUninstallerName + " TILLSCRIBE");
        record.SetCurSubKey("Help");
        record.WriteString("TILLSCRIBE.HTML", dest);
        record.SetCurSubKey("Installed");
        int n = 0;
        for (const std::string &path : files)
            record.WriteString("File" + std::to_string(++n), path);
        n = 0;
        for (const std::string &path : entries)
            record.WriteString("Entry" + std::to_string(++n), path);
        n = 0;
        for (const std::string &path : folders)
            record.WriteString("Folder" + std::to_string(++n), path);
    } catch (const EStRegIniError &e) {
        fail(dest + "/" + kInstallRecordName + ": " + e.what());
    }

    // The old program's capture files, whether or not the copy completed.
    RenameOldCaptureFiles(OldProgramFolder());
    result.complete = result.failures.empty();
    return result;
}

std::vector<std::string> Uninstall(const std::string &destination)
{
    std::vector<std::string> failures;
    const std::string recordPath = destination + "/" + kInstallRecordName;
    if (::access(recordPath.c_str(), R_OK) != 0)
        return {recordPath + ": " + std::strerror(errno)};
    TStRegIni record(recordPath);
    record.SetCurSubKey("Installed");
    for (const char *kind : {"File", "Entry"}) {
        for (int n = 1;; ++n) {
            const std::string path = record.ReadString(kind + std::to_string(n), "");
            if (path.empty())
                break;
            if (::unlink(path.c_str()) != 0 && errno != ENOENT)
                failures.push_back(path + ": " + std::strerror(errno));
        }
    }
    std::vector<std::string> folders;
    for (int n = 1;; ++n) {
        const std::string path = record.ReadString("Folder" + std::to_string(n), "");
        if (path.empty())
            break;
        folders.push_back(path);
    }
    ::unlink(recordPath.c_str());
    // Deepest first; a folder that still holds something (capture files, the
    // settings file) stays.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        ::rmdir(it->c_str());
    return failures;
}

} // namespace tillscribe

// What Tillsetup installs, where, and how it is taken away again.
//
//   InstallOptions options;                       // defaults as the pages offer them
//   options.distributionFolder = folder of files.1;
//   InstallResult r = Install(options, progress); // files, record, menu, desktop
//   Uninstall(destination);                       // exactly what the record lists
//
// The files go into the destination (default: the Program Files folder, /opt
// for root and ~/.local/opt otherwise, + "/VELDRAN SYSTEMS/TILLSCRIBE"). The
// install record beside them stands in for the registry: the uninstall and
// help entries, and every file, entry and folder that the installation made,
// which is all the uninstaller ever removes. The menu folder is made as
// xdg-desktop-menu makes one (a .directory entry and a merged menu file);
// the desktop shortcut goes into the user's desktop folder.
#pragma once

#include "Archive.h"

#include <string>
#include <vector>

namespace tillscribe {

inline constexpr const char *kInstallRecordName = "install-record.ini";
inline constexpr const char *kProgramFileName = "Tillscribe - Vivudiv";
inline constexpr const char *kHelpFileName = "TILLSCRIBE.html";
inline constexpr const char *kUninstallerName = "uninstall";
inline constexpr const char *kDefaultMenuFolder = "VELDRAN SYSTEMS";

std::string ProgramFilesFolder();
std::string DefaultDestination();

struct InstallOptions {
    std::string distributionFolder;   // holds files.1
    std::string destination = DefaultDestination();
    std::string menuFolder = kDefaultMenuFolder;
};

struct InstallResult {
    bool complete = false;
    std::vector<std::string> failures; // one line each
};

InstallResult Install(const InstallOptions &options, const UnpackProgress &progress = {});

// Removes what the record in destination lists, then the record; folders
// only when they are empty. Returns the failures, one line each.
std::vector<std::string> Uninstall(const std::string &destination);

// Where desktop entries, menu folders and the desktop are for this user.
std::string ApplicationsFolder();
std::string DesktopFolder();

} // namespace tillscribe

// What the capture program shares across its units: the product variant and
// the settings file.
//
//   auto ini = OpenSettingsFile("Maintain");   // created with the section if missing
//   MaintainSettings s = ReadMaintainSettings();
//   WriteMaintainSettings(s);
//
// The settings file lies in $WINEPREFIX/drive_c/Program Files/Borland/Common
// Files/BDE when that folder exists, else beside the program; its name
// depends on the product variant and is created in capitals.
#pragma once

#include "StRegIni.h"

#include <memory>
#include <string>

namespace tillscribe {

// Fixed when the program is built: picks the settings file's name and shows
// the register model selector.
constexpr int ProductVariant = 1;

// Where the settings file is looked for; the plain calls use the real places.
struct SettingsPlaces {
    int variant = ProductVariant;
    std::string fixedFolder;  // the BDE folder under drive C:
    std::string programPath;  // the running program file
};
SettingsPlaces RealSettingsPlaces();

// The full name of the settings file: an existing file of that name in any
// letter case, else the name in capitals.
std::string SettingsFileName(const SettingsPlaces &places);

std::unique_ptr<TStRegIni> OpenSettingsFile(const std::string &section);
std::unique_ptr<TStRegIni> OpenSettingsFile(const std::string &section, const SettingsPlaces &places);

// The main window's choices kept between runs (section "Maintain").
struct MaintainSettings {
    std::string CommPort;
    std::string PhoneNum;
    bool AutoConnect = false;
    int Register = 0;
};

// Read at start-up: an empty CommPort reads "None Selected"; Register only
// with product variant 1.
MaintainSettings ReadMaintainSettings();
MaintainSettings ReadMaintainSettings(const SettingsPlaces &places);
// Written at close, in the order CommPort, PhoneNum, Register, AutoConnect;
// an error stops at the value that failed.
void WriteMaintainSettings(const MaintainSettings &settings);
void WriteMaintainSettings(const MaintainSettings &settings, const SettingsPlaces &places);

} // namespace tillscribe

#include "TillscribeGlobals.h"

#include "DeviceNames.h"
#include "WinePaths.h"

#include <cctype>
#include <sys/stat.h>

namespace tillscribe {
namespace {

const char *const kSection = "Maintain";

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsFolder(const std::string &path)
{
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// folder + the file of that name in any case, else the name in capitals.
std::string SettingsFileIn(const std::string &folder, const std::string &name)
{
    // The name in capitals, as this program creates it, wins over others.
    const std::string found = FindIgnoringCase(folder, Upper(name));
    return found.empty() ? folder + Upper(name) : found;
}

} // namespace

SettingsPlaces RealSettingsPlaces()
{
    SettingsPlaces places;
    places.fixedFolder = DriveCPath("Program Files\\Borland\\Common Files\\BDE");
    // The settings lie beside the program, or in the data folder where the
    // program's own folder cannot be written.
    const std::string program = ProgramPath();
    const std::string data = DataFolder();
    places.programPath = data + program.substr(program.rfind('/') + 1);
    return places;
}

std::string SettingsFileName(const SettingsPlaces &places)
{
    const auto slash = places.programPath.rfind('/');
    const std::string programFolder =
        slash == std::string::npos ? std::string("./") : places.programPath.substr(0, slash + 1);
    const std::string programName = places.programPath.substr(programFolder.size());
    std::string folder = IsFolder(places.fixedFolder) ? places.fixedFolder : programFolder;
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    switch (places.variant) {
    case 0:
        return SettingsFileIn(folder, "iccr424.cgr");
    case 1:
        return SettingsFileIn(folder, "yxod172.ujj");
    case 2:
        return SettingsFileIn(folder, "icsh424.cgr");
    default: {
        const auto dot = programName.rfind('.');
        return SettingsFileIn(programFolder,
                                (dot == std::string::npos ? programName : programName.substr(0, dot))
                                    + ".cgr");
    }
    }
}

std::unique_ptr<TStRegIni> OpenSettingsFile(const std::string &section)
{
    return OpenSettingsFile(section, RealSettingsPlaces());
}

std::unique_ptr<TStRegIni> OpenSettingsFile(const std::string &section, const SettingsPlaces &places)
{
    auto ini = std::make_unique<TStRegIni>(SettingsFileName(places));
    ini->CreateKey(section);
    ini->SetCurSubKey(section);
    return ini;
}

MaintainSettings ReadMaintainSettings()
{
    return ReadMaintainSettings(RealSettingsPlaces());
}

MaintainSettings ReadMaintainSettings(const SettingsPlaces &places)
{
    const auto ini = OpenSettingsFile(kSection, places);
    MaintainSettings settings;
    settings.CommPort = ini->ReadString("CommPort", "");
    if (settings.CommPort.empty())
        settings.CommPort = kNoDevice;
    settings.PhoneNum = ini->ReadString("PhoneNum", "");
    settings.AutoConnect = ini->ReadBoolean("AutoConnect", false);
    if (places.variant == 1)
        settings.Register = ini->ReadInteger("Register", 0);
    return settings;
}

void WriteMaintainSettings(const MaintainSettings &settings)
{
    WriteMaintainSettings(settings, RealSettingsPlaces());
}

void WriteMaintainSettings(const MaintainSettings &settings, const SettingsPlaces &places)
{
    const auto ini = OpenSettingsFile(kSection, places);
    ini->WriteString("CommPort", settings.CommPort);
    ini->WriteString("PhoneNum", settings.PhoneNum);
    if (places.variant == 1)
        ini->WriteInteger("Register", settings.Register);
    ini->WriteBoolean("AutoConnect", settings.AutoConnect);
}

} // namespace tillscribe

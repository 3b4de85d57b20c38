#include "TelephonyDevices.h"

#include <cstdlib>
#include <fstream>

namespace tillscribe {

std::string ModemListPath()
{
    if (const char *config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        return std::string(config) + "/tillscribe/modems.ini";
    const char *home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/tillscribe/modems.ini";
}

std::vector<std::string> TelephonyDeviceNames()
{
    std::vector<std::string> names;
    std::ifstream in(ModemListPath());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] != '[')
            continue;
        const auto close = line.find(']', first);
        if (close == std::string::npos)
            continue;
        const std::string name = line.substr(first + 1, close - first - 1);
        names.push_back(name.empty() ? "<noname>" : name);
    }
    return names;
}

} // namespace tillscribe

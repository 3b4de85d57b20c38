// Interim: replaced by the settings unit.
#pragma once
#include <string>
namespace tillscribe {
constexpr int ProductVariant = 1;
struct MaintainSettings {
    std::string CommPort;
    std::string PhoneNum;
    bool AutoConnect = false;
    int Register = 0;
};
inline MaintainSettings ReadMaintainSettings() { return {"None Selected", "", false, 0}; }
inline void WriteMaintainSettings(const MaintainSettings &) {}
} // namespace tillscribe

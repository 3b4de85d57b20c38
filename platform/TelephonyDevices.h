// The telephony line devices of this machine: the modems listed in
// $XDG_CONFIG_HOME/tillscribe/modems.ini (default ~/.config/tillscribe/modems.ini),
// one section per modem, the section name being the device name.
//
//   for (auto &name : TelephonyDeviceNames()) ...
//
// A missing or unreadable list means the telephony service cannot start:
// there are no telephony devices.
#pragma once

#include <string>
#include <vector>

namespace tillscribe {

std::string ModemListPath();
std::vector<std::string> TelephonyDeviceNames();

} // namespace tillscribe

// What a connection derives from the port button's caption.
//
//   "None Selected"            no device
//   "Direct to COM7"           a direct port, number 7
//   anything else              a telephony device of that name
#pragma once

#include <stdexcept>
#include <string>

namespace tillscribe {

inline constexpr const char *kNoDevice = "None Selected";

// The number conversion of a hand-edited caption failed.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Road test: a direct port when the caption begins with DIRECT, any case.
bool IsDirectRoad(const std::string &caption);

// Colour test: DIRECT anywhere in the caption, any case.
bool HasDirectColour(const std::string &caption);

// The 14th character, or the 14th and 15th when the caption is exactly 15
// long, as a decimal number. Throws EConvertError when that is no number.
int PortNumberFromCaption(const std::string &caption);

} // namespace tillscribe

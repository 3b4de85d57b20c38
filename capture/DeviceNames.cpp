#include "DeviceNames.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tillscribe {
namespace {

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool IsDirectRoad(const std::string &caption)
{
    return Upper(caption.substr(0, 6)) == "DIRECT";
}

bool HasDirectColour(const std::string &caption)
{
    return Upper(caption).find("DIRECT") != std::string::npos;
}

int PortNumberFromCaption(const std::string &caption)
{
    const std::string digits =
        caption.size() < 14 ? std::string() : caption.substr(13, caption.size() == 15 ? 2 : 1);
    const auto invalid = [&digits] {
        return EConvertError("'" + digits + "' is not a valid integer value");
    };
    if (digits.empty() || std::isspace(static_cast<unsigned char>(digits[0])))
        throw invalid();
    char *end = nullptr;
    errno = 0;
    const long value = std::strtol(digits.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX)
        throw invalid();
    return static_cast<int>(value);
}

} // namespace tillscribe

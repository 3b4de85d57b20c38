#include "ShortDate.h"

namespace tillscribe {

std::string ShortDate(const std::tm &date)
{
    char text[128];
    const size_t n = std::strftime(text, sizeof text, "%x", &date);
    return std::string(text, n);
}

std::string ShortDateToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ShortDate(local);
}

} // namespace tillscribe

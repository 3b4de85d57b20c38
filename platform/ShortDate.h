// The user's short date, as the regional settings in force at start give it.
//
// The program calls setlocale(LC_ALL, "") once at start; ShortDate formats a
// date with strftime's "%x" under that LC_TIME.
#pragma once

#include <ctime>
#include <string>

namespace tillscribe {

std::string ShortDate(const std::tm &date);
std::string ShortDateToday();

} // namespace tillscribe

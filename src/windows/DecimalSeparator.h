#pragma once

#include <string>

namespace windows {

// The decimal separator of the user's regional settings, for numbers the program shows.
std::string decimalSeparator();

} // namespace windows

#pragma once
// The handicap as shown to the user: the general number format with 15
// significant digits, as it applies to whole numbers. Below 10^15 in
// magnitude the plain digits ("19", "-1"); from 10^15 on, 15 significant
// digits rounded half up with trailing zeros dropped, the decimal separator
// after the first digit when more remain, and "E" with the power of ten
// ("1E15", "9.00719925474099E15"). Cannot fail.

#include <string>
#include <string_view>

// Uses the process-wide DecimalSeparator().
std::string FormatHandicap(double handicap);

std::string FormatHandicap(double handicap, std::string_view separator);

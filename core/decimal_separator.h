#pragma once
// The decimal separator: one character, process-wide, taken from the user's
// locale. Read once at start-up and again whenever the desktop announces
// changed settings; never during a calculation.

#include <string>

// Reads the LC_NUMERIC radix character of the environment's locale. Falls
// back to "." when the locale gives none or more than one character.
void ReadDecimalSeparator();

// The separator as read last (UTF-8, exactly one character); "." until the
// first read.
const std::string& DecimalSeparator();

#pragma once
// Turns the text of one entry field into a number.
//
// Accepted: blanks (spaces only), an optional sign, digits with at most one
// decimal separator (at least one digit or the separator), an optional
// exponent ("E" or "e", optional sign, digits; its digits stop being read
// once it reaches 500), blanks. The digits are accumulated and scaled by
// powers of ten in extended arithmetic, then rounded to double.
//
// Raises EConvertError (NotANumberMessage of the whole text) for a text
// outside that syntax or whose value exceeds the extended range, and
// EOverflow (OverflowMessage) for a number beyond the range of a double.

#include <string_view>

// Uses the process-wide DecimalSeparator().
double ParseEntry(std::string_view text);

// The same with an explicit separator (one UTF-8 character).
double ParseEntry(std::string_view text, std::string_view separator);

#pragma once
// The handicap of three rounds: trunc(double((t1 + t2) + t3)) with
// t_i = ((score_i - courseRating_i) * 113 / slopeRating_i) / 3, every
// operation rounded to extended (nearest, ties to even).
//
// Reads the nine values of the worksheet and writes handicapValue: first the
// average (rounded to double), then that average cut towards zero. An invalid
// operation (0 / 0, an average outside the 64-bit integer range), a division
// by zero or an average beyond the double range raises EInvalidOp,
// EZeroDivide or EOverflow at the step where it occurs; nothing later runs or
// is written. Keeps no state between calls.

#include <cstdint>

#include "core/handicap_worksheet.h"

void ComputeHandicap(HandicapWorksheet& worksheet);

// The first part of ComputeHandicap alone: the average of the three rounds,
// rounded to double, with the same errors; writes nothing.
double AverageOfRounds(const HandicapWorksheet& worksheet);

// Cuts a double towards zero to a signed 64-bit integer; raises EInvalidOp
// when it is NaN or does not fit (2^63 or more, or below -2^63).
int64_t TruncateToInt64(double value);

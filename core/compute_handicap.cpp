#include "core/compute_handicap.h"

#include <string>

#include "core/error_messages.h"
#include "core/exception.h"
#include "core/extended.h"

namespace {

// Turns the first enabled exception of a step into its error; underflow and
// inexact results pass silently.
void RaiseEnabled(FloatFlags flags) {
  if (flags & kFlagInvalid) throw EInvalidOp(std::string(InvalidOpMessage));
  if (flags & kFlagZeroDivide) throw EZeroDivide(std::string(ZeroDivideMessage));
  if (flags & kFlagOverflow) throw EOverflow(std::string(OverflowMessage));
}

// One step: runs op on fresh flags and raises what it raised.
template <typename Op>
Extended Step(Op op) {
  FloatFlags flags = 0;
  const Extended result = op(flags);
  RaiseEnabled(flags);
  return result;
}

Extended Load(double value) {
  return Step([&](FloatFlags& f) { return Extended::FromDouble(value, f); });
}

// ((score - rating) * 113 / slope) / 3, four roundings, in that order.
Extended RoundTerm(double score, double course_rating, double slope_rating) {
  static const Extended kStandardSlope = Extended::FromInt64(static_cast<int64_t>(StandardSlope));
  static const Extended kRoundCount = Extended::FromInt64(static_cast<int64_t>(RoundCount));
  const Extended s = Load(score), r = Load(course_rating), slope = Load(slope_rating);
  Extended t = Step([&](FloatFlags& f) { return Subtract(s, r, f); });
  t = Step([&](FloatFlags& f) { return Multiply(t, kStandardSlope, f); });
  t = Step([&](FloatFlags& f) { return Divide(t, slope, f); });
  return Step([&](FloatFlags& f) { return Divide(t, kRoundCount, f); });
}

}  // namespace

int64_t TruncateToInt64(double value) {
  // Both bounds are exact doubles; a NaN fails both comparisons.
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
    throw EInvalidOp(std::string(InvalidOpMessage));
  return static_cast<int64_t>(value);  // C++ conversion truncates, whatever the rounding mode
}

double AverageOfRounds(const HandicapWorksheet& worksheet) {
  Extended sum = RoundTerm(worksheet.scores[0], worksheet.courseRatings[0], worksheet.slopeRatings[0]);
  for (int round = 1; round < 3; ++round) {
    const Extended term =
        RoundTerm(worksheet.scores[round], worksheet.courseRatings[round], worksheet.slopeRatings[round]);
    sum = Step([&](FloatFlags& f) { return Add(sum, term, f); });
  }
  FloatFlags flags = 0;
  const double average = sum.ToDouble(flags);
  RaiseEnabled(flags);
  return average;
}

void ComputeHandicap(HandicapWorksheet& worksheet) {
  const double average = AverageOfRounds(worksheet);
  worksheet.handicapValue = average;
  // The cut happens on the stored double, not on the extended sum.
  worksheet.handicapValue = static_cast<double>(TruncateToInt64(average));
}

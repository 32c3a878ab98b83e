#include "core/compute_handicap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "core/error_messages.h"
#include "core/exception.h"
#include "core/parse_entry.h"

namespace {

struct Rounds {
  const char* scores[3];
  const char* course_ratings[3];
  const char* slope_ratings[3];
};

// Stores the nine texts and their values as the calculate command does.
HandicapWorksheet Prepared(const Rounds& rounds) {
  HandicapWorksheet w;
  for (int i = 0; i < 3; ++i) {
    w.entryTexts[i] = rounds.scores[i];
    w.entryTexts[3 + i] = rounds.course_ratings[i];
    w.entryTexts[6 + i] = rounds.slope_ratings[i];
  }
  for (int n = 0; n < 9; ++n) w.EntryValue(n) = ParseEntry(w.entryTexts[n], ".");
  return w;
}

const Rounds kOrdinary = {{"90", "85", "100"}, {"72", "72", "72"}, {"113", "113", "113"}};

struct WorkedExample {
  Rounds rounds;
  const char* average;  // shortest round-trip form of the double of step 4
  double handicap;
};

void PrintTo(const WorkedExample& e, std::ostream* os) {
  *os << e.rounds.scores[0] << "/" << e.rounds.scores[1] << "/" << e.rounds.scores[2] << " -> " << e.handicap;
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, GiveTheStoredAverageAndTheHandicap) {
  const WorkedExample& example = GetParam();
  HandicapWorksheet w = Prepared(example.rounds);
  EXPECT_EQ(AverageOfRounds(w), std::strtod(example.average, nullptr));
  ComputeHandicap(w);
  EXPECT_EQ(w.handicapValue, example.handicap);
}

// Rows 3 to 5 depend on the last bit of the extended intermediates and on
// rounding the sum to double before the cut.
INSTANTIATE_TEST_SUITE_P(
    Rounds, WorkedExamples,
    testing::Values(
        WorkedExample{kOrdinary, "19.666666666666668", 19},
        WorkedExample{{{"70", "70", "71"}, {"72", "72", "72"}, {"113", "113", "113"}}, "-1.6666666666666667", -1},
        WorkedExample{{{"104", "100", "89"}, {"71.7", "71", "75.3"}, {"113", "113", "113"}}, "25", 25},
        WorkedExample{{{"102", "115", "98"}, {"70.2", "68.4", "74.4"}, {"113", "113", "113"}}, "33.99999999999999", 33},
        WorkedExample{{{"95", "118", "87"}, {"72.5", "70.4", "67.1"}, {"113", "113", "113"}}, "30", 30},
        WorkedExample{{{"95", "88", "102"}, {"71.2", "70.4", "73.1"}, {"128", "121", "135"}}, "20.545890502244667", 20},
        WorkedExample{{{"60", "65", "70"}, {"72", "72", "72"}, {"113", "113", "113"}}, "-7", -7},
        WorkedExample{{{"72", "72", "72"}, {"72", "72", "72"}, {"113", "113", "113"}}, "0", 0},
        // A negative slope rating turns the sign.
        WorkedExample{{{"90", "85", "100"}, {"72", "72", "72"}, {"-113", "-113", "-113"}}, "-19.666666666666668", -19},
        // Scores equal to the course ratings give 0 whatever the slopes.
        WorkedExample{{{"80", "75.5", "90"}, {"80", "75.5", "90"}, {"1e-300", "-55", "155"}}, "0", 0},
        // -3 * 2^63 gives an average of exactly -2^63, which fits.
        WorkedExample{{{"-27670116110564327424", "0", "0"}, {"0", "0", "0"}, {"113", "113", "113"}},
                      "-9223372036854775808", -9223372036854775808.0}));

// A failing calculation: which error, with which message, and what the
// handicap value holds afterwards (it held 42 before).
struct Failure {
  const char* name;
  Rounds rounds;
  std::string_view error_class;
  std::string_view message;
  bool average_stored;  // the failure is in the cut: the value holds the average
};

void PrintTo(const Failure& f, std::ostream* os) { *os << f.name; }

class FailingCalculations : public testing::TestWithParam<Failure> {};

TEST_P(FailingCalculations, RaiseTheFirstErrorAndWriteNothingAfterIt) {
  const Failure& failure = GetParam();
  HandicapWorksheet w = Prepared(failure.rounds);
  w.handicapValue = 42;
  w.handicapText = "42";
  const HandicapWorksheet before = w;
  try {
    ComputeHandicap(w);
    FAIL() << "no error";
  } catch (const EMathError& e) {
    EXPECT_EQ(e.ClassName(), failure.error_class);
    EXPECT_EQ(e.Message(), failure.message);
  }
  EXPECT_EQ(w.scores, before.scores);
  EXPECT_EQ(w.courseRatings, before.courseRatings);
  EXPECT_EQ(w.slopeRatings, before.slopeRatings);
  EXPECT_EQ(w.handicapText, "42");
  if (failure.average_stored) {
    EXPECT_NE(w.handicapValue, 42);
    EXPECT_EQ(w.handicapValue, std::trunc(w.handicapValue));
    EXPECT_GE(std::fabs(w.handicapValue), 9223372036854775808.0);
  } else {
    EXPECT_EQ(w.handicapValue, 42);
  }

  // The next calculation runs with the same arithmetic: nothing pending,
  // no truncating rounding left behind.
  HandicapWorksheet next = Prepared(kOrdinary);
  ComputeHandicap(next);
  EXPECT_EQ(next.handicapValue, 19);
  EXPECT_EQ(AverageOfRounds(next), 19.666666666666668);
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, FailingCalculations,
    testing::Values(
        Failure{"ZeroSlopeInRoundOne", {{"90", "85", "100"}, {"72", "72", "72"}, {"0", "113", "113"}},
                "EZeroDivide", ZeroDivideMessage, false},
        Failure{"NegativeZeroSlope", {{"90", "85", "100"}, {"72", "72", "72"}, {"-0", "113", "113"}},
                "EZeroDivide", ZeroDivideMessage, false},
        Failure{"ZeroSlopeInRoundThree", {{"90", "85", "100"}, {"72", "72", "72"}, {"113", "113", "0"}},
                "EZeroDivide", ZeroDivideMessage, false},
        Failure{"ZeroOverZero", {{"72", "85", "100"}, {"72", "72", "72"}, {"0", "113", "113"}},
                "EInvalidOp", InvalidOpMessage, false},
        // Round 1 comes first.
        Failure{"ZeroOverZeroBeforeZeroDivide", {{"72", "85", "100"}, {"72", "72", "72"}, {"0", "0", "113"}},
                "EInvalidOp", InvalidOpMessage, false},
        Failure{"ZeroDivideBeforeZeroOverZero", {{"90", "72", "100"}, {"72", "72", "72"}, {"0", "0", "113"}},
                "EZeroDivide", ZeroDivideMessage, false},
        // The extended intermediates hold 1.8e310; the double cannot.
        Failure{"AverageBeyondDouble", {{"90", "72", "72"}, {"72", "72", "72"}, {"1e-307", "113", "113"}},
                "EOverflow", OverflowMessage, false},
        Failure{"SmallestSubnormalSlope", {{"1e308", "72", "72"}, {"-1e308", "72", "72"}, {"4.9e-324", "113", "113"}},
                "EOverflow", OverflowMessage, false},
        // 3 * 2^63 in full: the average is exactly 2^63, one past int64.
        Failure{"AverageOfTwoTo63", {{"27670116110564327424", "0", "0"}, {"0", "0", "0"}, {"113", "113", "113"}},
                "EInvalidOp", InvalidOpMessage, true},
        Failure{"AverageOf1e308", {{"1e308", "1e308", "1e308"}, {"0", "0", "0"}, {"113", "113", "113"}},
                "EInvalidOp", InvalidOpMessage, true},
        Failure{"NegativeBeyondInt64", {{"-1e19", "-1e19", "-1e19"}, {"0", "0", "0"}, {"113", "113", "113"}},
                "EInvalidOp", InvalidOpMessage, true}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

TEST(ComputeHandicap, StoresTheAverageBeforeTheFailingCut) {
  HandicapWorksheet w = Prepared({{"27670116110564327424", "0", "0"}, {"0", "0", "0"}, {"113", "113", "113"}});
  EXPECT_THROW(ComputeHandicap(w), EInvalidOp);
  EXPECT_EQ(w.handicapValue, 9223372036854775808.0);
}

TEST(ComputeHandicap, TreatsValuesNoEntryCanGiveAsTheArithmeticDoes) {
  // Infinities and NaNs cannot come from ParseEntry, but the worksheet is a
  // plain record: they must still end in an error, never in a handicap.
  HandicapWorksheet w = Prepared(kOrdinary);
  w.scores[1] = INFINITY;
  w.courseRatings[1] = INFINITY;
  EXPECT_THROW(ComputeHandicap(w), EInvalidOp);  // inf - inf
  w = Prepared(kOrdinary);
  w.scores[2] = NAN;
  EXPECT_THROW(ComputeHandicap(w), EInvalidOp);  // the cut of a NaN
  w = Prepared(kOrdinary);
  w.scores[0] = -INFINITY;
  EXPECT_THROW(ComputeHandicap(w), EInvalidOp);  // the cut of an infinity
}

TEST(TruncateToInt64, CutsTowardsZeroWithinTheRange) {
  EXPECT_EQ(TruncateToInt64(-1.6666666666666667), -1);
  EXPECT_EQ(TruncateToInt64(33.99999999999999), 33);
  EXPECT_EQ(TruncateToInt64(-0.5), 0);
  EXPECT_EQ(TruncateToInt64(-9223372036854775808.0), INT64_MIN);
  EXPECT_EQ(TruncateToInt64(9223372036854774784.0), 9223372036854774784);  // largest double below 2^63
  EXPECT_THROW(TruncateToInt64(9223372036854775808.0), EInvalidOp);
  EXPECT_THROW(TruncateToInt64(-9223372036854777856.0), EInvalidOp);  // next double below -2^63
  EXPECT_THROW(TruncateToInt64(NAN), EInvalidOp);
}

TEST(HandicapWorksheet, StartsEmptyAndReleasesItsTexts) {
  HandicapWorksheet w;
  for (const std::string& text : w.entryTexts) EXPECT_TRUE(text.empty());
  EXPECT_EQ(w.scores, (std::array<double, 3>{}));
  EXPECT_EQ(w.courseRatings, (std::array<double, 3>{}));
  EXPECT_EQ(w.slopeRatings, (std::array<double, 3>{}));
  EXPECT_EQ(w.handicapValue, 0);
  EXPECT_TRUE(w.handicapText.empty());
  static_assert(StandardSlope == 113.0f && RoundCount == 3.0f);

  w = Prepared(kOrdinary);
  w.entryTexts[4] = std::string(1000, 'x');
  w.handicapText = "19";
  w.ReleaseTexts();
  for (const std::string& text : w.entryTexts) {
    EXPECT_TRUE(text.empty());
    EXPECT_LT(text.capacity(), 1000u);
  }
  EXPECT_TRUE(w.handicapText.empty());
  EXPECT_EQ(w.scores[0], 90);  // the values stay
}

TEST(HandicapWorksheet, MapsEntriesToValuesDownTheColumns) {
  HandicapWorksheet w;
  for (int n = 0; n < 9; ++n) w.EntryValue(n) = n + 1;
  EXPECT_EQ(w.scores, (std::array<double, 3>{1, 2, 3}));
  EXPECT_EQ(w.courseRatings, (std::array<double, 3>{4, 5, 6}));
  EXPECT_EQ(w.slopeRatings, (std::array<double, 3>{7, 8, 9}));
}

}  // namespace

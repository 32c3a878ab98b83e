#include "core/parse_entry.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <string>
#include <variant>

#include "core/error_messages.h"
#include "core/exception.h"

namespace {

enum class Error { kConvert, kOverflow };
using Outcome = std::variant<double, Error>;

struct Case {
  std::string text;
  Outcome outcome;
};

// Names the case after its text, in plain ASCII: "_" for a space, \xHH for
// any other byte that is not a letter, digit, sign, point or comma.
void PrintTo(const Case& c, std::ostream* os) {
  *os << '<';
  for (unsigned char b : c.text) {
    if (std::isalnum(b) || std::strchr("+-.,", b))
      *os << b;
    else if (b == ' ')
      *os << '_';
    else
      *os << "\\x" << "0123456789ABCDEF"[b >> 4] << "0123456789ABCDEF"[b & 15];
  }
  *os << '>';
}

class ParseEntryCases : public testing::TestWithParam<Case> {};

TEST_P(ParseEntryCases, GiveTheValueOrTheError) {
  const Case& c = GetParam();
  if (const double* expected = std::get_if<double>(&c.outcome)) {
    const double value = ParseEntry(c.text, ".");
    EXPECT_EQ(value, *expected);
    return;
  }
  try {
    const double value = ParseEntry(c.text, ".");
    FAIL() << "gave " << value;
  } catch (const EConvertError& e) {
    EXPECT_EQ(std::get<Error>(c.outcome), Error::kConvert);
    EXPECT_EQ(e.Message(), NotANumberMessage(c.text));
  } catch (const EOverflow& e) {
    EXPECT_EQ(std::get<Error>(c.outcome), Error::kOverflow);
    EXPECT_EQ(e.Message(), OverflowMessage);
  }
}

const Error kConvert = Error::kConvert;
const Error kOverflow = Error::kOverflow;

INSTANTIATE_TEST_SUITE_P(
    Syntax, ParseEntryCases,
    testing::Values(Case{"", kConvert}, Case{".", 0.0}, Case{"-.", 0.0}, Case{"72.", 72.0}, Case{".5", 0.5},
                    Case{"+72", 72.0}, Case{"-0", 0.0}, Case{" 72 ", 72.0}, Case{"   72", 72.0},
                    Case{"\t72", kConvert}, Case{"72\t", kConvert}, Case{"７２", kConvert},
                    Case{"\u300072", kConvert}, Case{"\u00a072", kConvert}, Case{"+", kConvert},
                    Case{"-", kConvert}, Case{"   ", kConvert}, Case{"- 72", kConvert}, Case{"+-72", kConvert},
                    Case{"1 e5", kConvert}, Case{"1.5.2", kConvert}, Case{"1,000", kConvert},
                    Case{"0x10", kConvert}, Case{"1E2", 100.0}, Case{"1.5e1", 15.0}, Case{"1e", 1.0},
                    Case{"1e+", 1.0}, Case{"1E-", 1.0}, Case{"e5", kConvert}, Case{".e5", 0.0},
                    Case{"72,5", kConvert}, Case{"72.5", 72.5}, Case{"inf", kConvert}, Case{"nan", kConvert},
                    Case{"1e5x", kConvert}, Case{"1ee5", kConvert}, Case{"1e 5", kConvert},
                    Case{"Score1", kConvert}, Case{std::string("7\0002", 3), kConvert}));

INSTANTIATE_TEST_SUITE_P(
    Range, ParseEntryCases,
    testing::Values(Case{"1e-400", 0.0}, Case{"1e400", kOverflow},
                    // The exponent digits stop at 500 ...
                    Case{"1e500", kOverflow}, Case{"1e0499", kOverflow}, Case{"1e4932", kOverflow},
                    Case{"1e4933", kConvert}, Case{"1e4999", kConvert}, Case{"0e4999", 0.0},
                    // ... and a digit left over is in the way.
                    Case{"1e5000", kConvert}, Case{"1e49999", kConvert}, Case{"1e-5000", kConvert},
                    Case{"1e-4999", 0.0}, Case{"1e0000000000000000000000000000000000000005", 1e5},
                    Case{"1.7976931348623157e308", 1.7976931348623157e308},
                    // Just above the largest double, but rounding down to it.
                    Case{"1.7976931348623158e308", 1.7976931348623157e308},
                    Case{"1.797693134862316e308", kOverflow}, Case{"-1e400", kOverflow},
                    Case{"4.9e-324", 4.9e-324}, Case{"2e-324", 0.0}, Case{"3e-324", 4.9e-324},
                    Case{"2.2250738585072014e-308", 2.2250738585072014e-308}));

// The rounding to extended first, then to double.
INSTANTIATE_TEST_SUITE_P(
    Values, ParseEntryCases,
    testing::Values(Case{"33.876417", 33.876417000000004}, Case{"72", 72.0}, Case{"113", 113.0},
                    Case{"71.7", 71.7}, Case{"-3.5", -3.5}, Case{"  +0.25  ", 0.25},
                    Case{"12345678901234567890", 12345678901234567890.0},
                    Case{"9223372036854775807", 9223372036854775807.0},
                    Case{"27670116110564327424", 27670116110564327424.0}, Case{"00072.50", 72.5},
                    Case{"1E-1", 0.1}, Case{"0.1", 0.1}, Case{"-1e308", -1e308}));

TEST(ParseEntry, KeepsTheSignOfZero) {
  EXPECT_TRUE(std::signbit(ParseEntry("-0", ".")));
  EXPECT_FALSE(std::signbit(ParseEntry("0", ".")));
}

TEST(ParseEntry, QuotesTheWholeTextInItsMessage) {
  try {
    ParseEntry("Score1", ".");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'Score1' は浮動小数点数ではありません");
  }
  const std::string long_text = std::string(100000, '7') + "x";
  try {
    ParseEntry(long_text, ".");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'" + long_text + "' は浮動小数点数ではありません");
  }
  EXPECT_EQ(NotANumberMessage(""), "'' は浮動小数点数ではありません");
  EXPECT_EQ(NotANumberMessage(" 1 2 "), "' 1 2 ' は浮動小数点数ではありません");
}

TEST(ParseEntry, FollowsTheSeparatorItIsGiven) {
  EXPECT_EQ(ParseEntry("72,5", ","), 72.5);
  EXPECT_EQ(ParseEntry(",", ","), 0);
  EXPECT_THROW(ParseEntry("72.5", ","), EConvertError);
  EXPECT_THROW(ParseEntry("1,5,2", ","), EConvertError);
  // A separator of more than one byte (U+066B, Arabic decimal separator).
  EXPECT_EQ(ParseEntry("72\u066b5", "\u066b"), 72.5);
  EXPECT_THROW(ParseEntry("72\xd9", "\u066b"), EConvertError);
}

TEST(ParseEntry, HandlesVeryLongNumbers) {
  // Digits past the extended range: not a number, though the fraction would
  // scale it back down.
  EXPECT_THROW(ParseEntry("0." + std::string(5000, '9'), "."), EConvertError);
  // Leading zeros do not count towards that range; the division by 10^n
  // with n >= 5120 gives 0.
  EXPECT_EQ(ParseEntry("0." + std::string(6000, '0') + "1", "."), 0);
  EXPECT_EQ(ParseEntry("1." + std::string(200, '0'), "."), 1);
  EXPECT_EQ(ParseEntry(std::string(300, '0') + "1e-300", "."), 1e-300);
  EXPECT_EQ(ParseEntry(std::string(308, '9'), "."), 1e308);
  EXPECT_THROW(ParseEntry(std::string(309, '9'), "."), EOverflow);
  EXPECT_THROW(ParseEntry(std::string(5000, '9'), "."), EConvertError);
  // 150 fraction digits.
  EXPECT_EQ(ParseEntry("72." + std::string(150, '0'), "."), 72);
}

TEST(ParseEntry, IsTheNearestDoubleForOrdinaryTexts) {
  // At most one decimal and at most 15 digits in all, or whole numbers of up
  // to 19 digits: the nearest double (strtod) every time.
  char text[32];
  for (int tenths = -20000; tenths <= 20000; tenths += 7) {
    std::snprintf(text, sizeof text, "%d.%d", tenths / 10, std::abs(tenths % 10));
    if (tenths < 0 && tenths > -10) std::snprintf(text, sizeof text, "-0.%d", -tenths);
    EXPECT_EQ(ParseEntry(text, "."), std::strtod(text, nullptr)) << text;
  }
  // Random ones of every length: up to 15 digits with one decimal, whole
  // numbers of up to 19 digits.
  uint64_t state = 12345;
  const auto next = [&] { return state = state * 6364136223846793005u + 1442695040888963407u; };
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>((next() >> 33) % 19);
    uint64_t value = (next() >> 1) % 10000000000000000000u;
    uint64_t limit = 1;
    for (int d = 0; d < digits; ++d) limit *= 10;
    value %= limit;
    if (digits <= 15 && i % 2)
      std::snprintf(text, sizeof text, "%s%llu.%llu", i % 4 == 1 ? "-" : "", static_cast<unsigned long long>(value / 10),
                    static_cast<unsigned long long>(value % 10));
    else
      std::snprintf(text, sizeof text, "%llu", static_cast<unsigned long long>(value));
    ASSERT_EQ(ParseEntry(text, "."), std::strtod(text, nullptr)) << text;
  }
}

}  // namespace

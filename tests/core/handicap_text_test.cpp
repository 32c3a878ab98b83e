#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/format_handicap.h"
#include "core/result_message.h"

namespace {

struct Formatted {
  double value;
  const char* text;
};

void PrintTo(const Formatted& f, std::ostream* os) { *os << f.text; }

class FormatHandicapCases : public testing::TestWithParam<Formatted> {};

TEST_P(FormatHandicapCases, GiveTheGeneralFormat) {
  EXPECT_EQ(FormatHandicap(GetParam().value, "."), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    WholeNumbers, FormatHandicapCases,
    testing::Values(Formatted{0, "0"}, Formatted{-0.0, "0"}, Formatted{19, "19"}, Formatted{-1, "-1"},
                    Formatted{-19, "-19"}, Formatted{999999999999999.0, "999999999999999"},
                    Formatted{-999999999999999.0, "-999999999999999"}, Formatted{1e15, "1E15"},
                    Formatted{1e15 + 1, "1E15"}, Formatted{9007199254740992.0, "9.00719925474099E15"},
                    Formatted{1e18 - 128, "1E18"}, Formatted{1e18, "1E18"},
                    Formatted{-9223372036854775808.0, "-9.22337203685478E18"},
                    // The sixteenth digit decides, half up.
                    Formatted{1000000000000005.0, "1.00000000000001E15"},
                    Formatted{1000000000000004.0, "1E15"},
                    Formatted{9999999999999996.0, "1E16"}, Formatted{9999999999999994.0, "9.99999999999999E15"},
                    Formatted{1234567890123456768.0, "1.23456789012346E18"},
                    Formatted{9223372036854774784.0, "9.22337203685477E18"},
                    Formatted{-1100000000000000.0, "-1.1E15"}));

TEST(FormatHandicap, UsesTheSeparatorOnlyInTheExponentForm) {
  EXPECT_EQ(FormatHandicap(9007199254740992.0, ","), "9,00719925474099E15");
  EXPECT_EQ(FormatHandicap(9007199254740992.0, "\u066b"), "9\u066b00719925474099E15");
  EXPECT_EQ(FormatHandicap(1e15, ","), "1E15");
  EXPECT_EQ(FormatHandicap(123456, ","), "123456");
}

TEST(FormatHandicap, NeverFailsOnValuesTheCalculationDoesNotProduce) {
  EXPECT_EQ(FormatHandicap(19.5, "."), "19.5");
  EXPECT_EQ(FormatHandicap(19.5, ","), "19,5");
  EXPECT_EQ(FormatHandicap(1e19, "."), "1E19");
  EXPECT_EQ(FormatHandicap(-2.5e-7, "."), "-2.5E-7");
  EXPECT_EQ(FormatHandicap(NAN, "."), "NAN");
  EXPECT_EQ(FormatHandicap(-INFINITY, "."), "-INF");
}

TEST(ComposeResultMessage, WrapsTheTextInPrefixAndSuffix) {
  EXPECT_EQ(ComposeResultMessage("19"), "あなたのＨＣは\r   19　　です");
  EXPECT_EQ(ComposeResultMessage("-1"), std::string(ResultPrefix) + "-1" + std::string(ResultSuffix));
  EXPECT_EQ(ComposeResultMessage(""), std::string(ResultPrefix) + std::string(ResultSuffix));
}

std::vector<unsigned char> ToCp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  std::string in(utf8);
  std::vector<char> out(in.size() * 2 + 16);
  char* inp = in.data();
  char* outp = out.data();
  size_t inleft = in.size(), outleft = out.size();
  EXPECT_NE(iconv(cd, &inp, &inleft, &outp, &outleft), static_cast<size_t>(-1));
  iconv_close(cd);
  return {out.data(), outp};
}

TEST(ResultTexts, AreTheCodePage932BytesInUtf8) {
  const std::vector<unsigned char> prefix = {0x82, 0xA0, 0x82, 0xC8, 0x82, 0xBD, 0x82, 0xCC, 0x82,
                                             0x67, 0x82, 0x62, 0x82, 0xCD, 0x0D, 0x20, 0x20, 0x20};
  const std::vector<unsigned char> suffix = {0x81, 0x40, 0x81, 0x40, 0x82, 0xC5, 0x82, 0xB7};
  EXPECT_EQ(ToCp932(ResultPrefix), prefix);
  EXPECT_EQ(ToCp932(ResultSuffix), suffix);
  std::vector<unsigned char> message = prefix;
  message.push_back('1');
  message.push_back('9');
  message.insert(message.end(), suffix.begin(), suffix.end());
  EXPECT_EQ(ToCp932(ComposeResultMessage("19")), message);
  EXPECT_EQ(message.size(), 28u);
}

}  // namespace

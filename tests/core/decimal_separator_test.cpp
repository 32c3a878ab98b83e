#include "core/decimal_separator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/exception.h"
#include "core/format_handicap.h"
#include "core/parse_entry.h"

namespace {

// Sets the locale variables for one test and restores them afterwards.
class LocaleEnvironment : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
    ReadDecimalSeparator();
  }
  static constexpr const char* kNames[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
  std::vector<std::optional<std::string>> saved_;
};

TEST_F(LocaleEnvironment, ReadsTheCommaOfAGermanLocale) {
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ",");
  EXPECT_EQ(ParseEntry("72,5"), 72.5);
  EXPECT_THROW(ParseEntry("72.5"), EConvertError);
  EXPECT_EQ(FormatHandicap(9007199254740992.0), "9,00719925474099E15");

  // A changed setting applies from the next read on.
  setenv("LC_ALL", "C", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ".");
  EXPECT_EQ(ParseEntry("72.5"), 72.5);
  EXPECT_THROW(ParseEntry("72,5"), EConvertError);
}

TEST_F(LocaleEnvironment, HonoursTheVariablesInTheCLibrarysOrder) {
  setenv("LANG", "de_DE.UTF-8", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ",");
  setenv("LC_NUMERIC", "C", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ".");
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ",");
}

TEST_F(LocaleEnvironment, FallsBackToAPointWithoutAUsableLocale) {
  setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ".");
  ReadDecimalSeparator();  // no locale variable at all
  unsetenv("LC_ALL");
  ReadDecimalSeparator();
  EXPECT_EQ(DecimalSeparator(), ".");
}

TEST_F(LocaleEnvironment, LeavesTheProcessLocaleAlone) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  ReadDecimalSeparator();
  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
  EXPECT_EQ(std::localeconv()->decimal_point, std::string("."));
}

}  // namespace

#include "platform/application_title.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct TitleCase {
  const char* path;
  const char* title;
  friend void PrintTo(const TitleCase& c, std::ostream* os) { *os << c.path; }
};

class ApplicationTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(ApplicationTitleTest, DerivesTitleFromExecutablePath) {
  EXPECT_EQ(platform::DeriveApplicationTitle(GetParam().path), GetParam().title) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ApplicationTitleTest,
    ::testing::Values(
        // The first character keeps its case, the rest goes to lower case.
        TitleCase{"/opt/Tools/HCCALC", "Hccalc"}, TitleCase{"/usr/bin/kotorina", "kotorina"},
        TitleCase{"/opt/Tools/HCCALC.EXE", "Hccalc"},
        // The first full stop of the file name ends the title.
        TitleCase{"/opt/golf/Golf.Tool.Plus", "Golf"},
        // A full stop in a folder goes with the folder.
        TitleCase{"/srv/Release.2/Calc", "Calc"}, TitleCase{"/srv/Release.2/calc", "calc"},
        // A file name that begins with a full stop gives an empty title.
        TitleCase{"/home/user/.HcCalc", ""}, TitleCase{"/home/user/.", ""},
        // Non-ASCII folders do not split the path; non-ASCII names are cased
        // by whole characters.
        TitleCase{"/home/ユーザー/ソフト/HcCalc", "Hccalc"}, TitleCase{"/opt/ÄRGER", "Ärger"},
        TitleCase{"/opt/éCALC", "écalc"}, TitleCase{"/opt/ゴルフCALC.bin", "ゴルフcalc"},
        // A backslash is an ordinary character of a file name here.
        TitleCase{"/opt/tools\\x/HCCALC", "Hccalc"}, TitleCase{"/opt/A\\B", "A\\b"},
        // No folder at all, or nothing.
        TitleCase{"HCCALC", "Hccalc"}, TitleCase{"", ""}, TitleCase{"/opt/tools/", ""}));

TEST(ApplicationTitleLimitTest, LongFolderPathKeepsTheFileName) {
  const std::string folders = "/" + std::string(300, 'd') + "/" + std::string(200, 'e');
  EXPECT_EQ(platform::DeriveApplicationTitle(folders + "/HcCalc"), "Hccalc");
}

TEST(ApplicationTitleLimitTest, LongFileNameIsCutOnAWholeCharacter) {
  // 300 bytes of "ア" (three bytes each): 255 bytes hold exactly 85 of them;
  // with an ASCII first character, 84 whole ones follow within the limit.
  std::string katakana;
  for (int i = 0; i < 100; ++i) katakana += "ア";
  EXPECT_EQ(platform::DeriveApplicationTitle("/opt/" + katakana), katakana.substr(0, 255));
  const std::string title = platform::DeriveApplicationTitle("/opt/X" + katakana);
  EXPECT_EQ(title, "X" + katakana.substr(0, 84 * 3));
  EXPECT_EQ(platform::DeriveApplicationTitle("/opt/" + std::string(400, 'A')), "A" + std::string(254, 'a'));
}

TEST(ExecutablePathTest, NamesThisTestProgram) {
  EXPECT_EQ(platform::ExecutableFileName(), "application_title_test");
  EXPECT_EQ(platform::ExecutablePath().front(), '/');
}

}  // namespace

// handicap-eval: runs the handicap calculation on lines of nine
// TAB-separated entry texts (scores 1-3, course ratings 1-3, slope ratings
// 1-3) from standard input, with the decimal separator of the locale it runs
// in, and writes one line for each:
//
//   OK <handicap text>
//   ERR <error class name> <n>   n = the entry (1-9) that failed, 0 for the arithmetic
//   BAD <field count>            the line did not have nine fields
//
// It drives the core exactly as the calculate command does: all nine texts
// into the worksheet, then each parsed and stored in order, then the
// computation, the handicap text and the result message. The exit status is
// 0, or 1 when some line was BAD.

#include <iostream>
#include <string>
#include <vector>

#include "core/compute_handicap.h"
#include "core/decimal_separator.h"
#include "core/exception.h"
#include "core/format_handicap.h"
#include "core/handicap_worksheet.h"
#include "core/parse_entry.h"
#include "core/result_message.h"

namespace {

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// Returns the line to write.
std::string Evaluate(HandicapWorksheet& worksheet, const std::vector<std::string>& fields) {
  for (int n = 0; n < 9; ++n) worksheet.entryTexts[n] = fields[n];
  for (int n = 0; n < 9; ++n) {
    try {
      worksheet.EntryValue(n) = ParseEntry(worksheet.entryTexts[n]);
    } catch (const Exception& e) {
      return "ERR " + std::string(e.ClassName()) + " " + std::to_string(n + 1);
    }
  }
  try {
    ComputeHandicap(worksheet);
    worksheet.handicapText = FormatHandicap(worksheet.handicapValue);
    const std::string message = ComposeResultMessage(worksheet.handicapText);
    (void)message;
  } catch (const Exception& e) {
    return "ERR " + std::string(e.ClassName()) + " 0";
  }
  return "OK " + worksheet.handicapText;
}

}  // namespace

int main() {
  std::ios::sync_with_stdio(false);
  ReadDecimalSeparator();
  HandicapWorksheet worksheet;
  int status = 0;
  std::string line;
  while (std::getline(std::cin, line)) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.size() != 9) {
      std::cout << "BAD " << fields.size() << '\n';
      status = 1;
      continue;
    }
    std::cout << Evaluate(worksheet, fields) << '\n';
  }
  worksheet.ReleaseTexts();
  return status;
}

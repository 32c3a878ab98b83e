#include "core/handicap_worksheet.h"

void HandicapWorksheet::ReleaseTexts() {
  // swap with empty strings: clear() would keep the buffers.
  for (std::string& text : entryTexts) std::string().swap(text);
  std::string().swap(handicapText);
}

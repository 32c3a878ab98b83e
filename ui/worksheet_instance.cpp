#include "ui/worksheet_instance.h"

HandicapWorksheet Worksheet;

void ReleaseWorksheetTexts() { Worksheet.ReleaseTexts(); }

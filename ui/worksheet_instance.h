#pragma once
// The one worksheet of the program, alive for the whole run: the record of
// the last calculation, written only by the calculate command.

#include "core/handicap_worksheet.h"

extern HandicapWorksheet Worksheet;

// The module's shutdown step: releases the worksheet's texts.
void ReleaseWorksheetTexts();

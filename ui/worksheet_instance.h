#pragma once
// The one worksheet of the program, alive for the whole run.

// The module's shutdown step: releases the worksheet's texts.
void ReleaseWorksheetTexts();

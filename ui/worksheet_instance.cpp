#include "ui/worksheet_instance.h"

// TODO(lead): release the worksheet's texts once the worksheet lands.
void ReleaseWorksheetTexts() {}

#include "app/program.h"

#include <exception>

#include "platform/application.h"
#include "platform/fatal_error.h"
#include "platform/runtime.h"
#include "ui/worksheet_instance.h"

int RunProgram(int argc, char** argv, void (*create_forms)()) {
  platform::Runtime platform(argc, argv);
  if (!platform.Started()) return platform::kExitStartupFailure;

  // The program's own start-up: the worksheet exists from here on, empty.
  int exit_code = platform::kExitNormal;
  try {
    Application->Initialize();
    create_forms();
    Application->Run();
  } catch (...) {
    // Only the building of the windows and the start of the loop get here:
    // inside the loop every error goes to the error report.
    platform::ReportFatalError(std::current_exception());
    exit_code = platform::kExitFatalError;
  }

  // Shutdown, in reverse: the windows, then the program's own module, then
  // (as `platform` goes) the picture formats and the application object.
  Application->DestroyForms();
  ReleaseWorksheetTexts();
  return exit_code;
}

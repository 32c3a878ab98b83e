// The main of every headless GUI test: one application object for the whole
// run, the same guarded one the program uses, so that an error escaping an
// event handler is reported exactly as in the program.
#include <gtest/gtest.h>

#include "platform/guarded_application.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  platform::GuardedApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#include "platform/show_command.h"

namespace platform {

int StartShowCommand() { return kShowDefault; }

Qt::WindowStates InitialWindowState(int show_command, Qt::WindowStates stored) {
  switch (show_command) {
    case kShowMaximized:
      return (stored & ~Qt::WindowMinimized) | Qt::WindowMaximized;
    case kShowMinimizedNoActivate:
      return stored | Qt::WindowMinimized;
    default:
      return stored;
  }
}

}  // namespace platform

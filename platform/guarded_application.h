#pragma once
// Qt's application object with the backstop of the error boundary: an error
// that escapes the handling of any event (code that a Guarded call does not
// cover) is caught at the very top of the dispatch and reported, and the
// event loop goes on with the next event.

#include <QApplication>

namespace platform {

class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  GuardedApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform

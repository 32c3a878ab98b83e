#pragma once
// The text caret blinks for as long as an entry field has the focus, waking
// the program several times a second forever. CaretRest stops the blink once
// the user has left the keyboard and mouse alone for a while, leaving the
// caret shown, and starts it again with the next input: an idle window then
// costs nothing at all.

#include <QObject>
#include <QTimer>

namespace platform {

class CaretRest : public QObject {
  Q_OBJECT
 public:
  // Watches the input of the whole application from now on.
  explicit CaretRest(int rest_after_ms = 10000, QObject* parent = nullptr);
  ~CaretRest() override;

  bool Resting() const { return resting_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rest();
  void Wake();

  QTimer rest_timer_;
  int flash_time_ms_;
  bool resting_ = false;
};

}  // namespace platform

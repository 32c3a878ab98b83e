#include "platform/caret_rest.h"

#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

namespace platform {
namespace {

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
      return true;
    default:
      return false;
  }
}

}  // namespace

CaretRest::CaretRest(int rest_after_ms, QObject* parent)
    : QObject(parent), flash_time_ms_(QGuiApplication::styleHints()->cursorFlashTime()) {
  rest_timer_.setSingleShot(true);
  rest_timer_.setInterval(rest_after_ms);
  connect(&rest_timer_, &QTimer::timeout, this, &CaretRest::Rest);
  QCoreApplication::instance()->installEventFilter(this);
  rest_timer_.start();
}

CaretRest::~CaretRest() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
  Wake();
}

bool CaretRest::eventFilter(QObject* /*watched*/, QEvent* event) {
  // Every input event passes here once per receiver it travels to; the
  // timer's restart is cheap, so no attempt is made to tell them apart.
  if (IsInput(event->type())) {
    Wake();
    rest_timer_.start();
  }
  return false;
}

void CaretRest::Rest() {
  if (resting_ || flash_time_ms_ <= 0) return;
  resting_ = true;
  // A flash time of 0 means a caret that is always shown: entry fields stop
  // their blink timers and draw the caret steadily.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
}

void CaretRest::Wake() {
  if (!resting_) return;
  resting_ = false;
  QGuiApplication::styleHints()->setCursorFlashTime(flash_time_ms_);
}

}  // namespace platform

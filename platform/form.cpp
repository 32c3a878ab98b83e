#include "platform/form.h"

#include <algorithm>
#include <cstdlib>

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QMetaObject>
#include <QResizeEvent>
#include <QShowEvent>

#include "platform/font.h"

namespace platform {

int ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  const int dpi = qRound(screen->logicalDotsPerInch());
  return dpi > 0 ? dpi : 96;
}

}  // namespace platform

namespace {

using platform::BorderStyle;
using platform::ControlDescription;
using platform::FormDescription;
using platform::MulDiv;
using platform::WindowDescription;

Qt::WindowFlags FrameFlags(const WindowDescription& window) {
  Qt::WindowFlags flags = Qt::Window;
  if (window.borderStyle == BorderStyle::None) return flags | Qt::FramelessWindowHint;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (window.borderIcons.systemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (window.borderStyle != BorderStyle::Dialog) {
    if (window.borderIcons.minimize) flags |= Qt::WindowMinimizeButtonHint;
    if (window.borderIcons.maximize) flags |= Qt::WindowMaximizeButtonHint;
  }
  return flags;
}

// The control with its edges scaled by numerator / denominator: its position
// and its size grow together, and neighbours that touched still touch.
ControlDescription Scaled(const ControlDescription& control, int numerator, int denominator) {
  if (numerator == denominator) return control;
  ControlDescription scaled = control;
  scaled.left = MulDiv(control.left, numerator, denominator);
  scaled.top = MulDiv(control.top, numerator, denominator);
  scaled.width = MulDiv(control.left + control.width, numerator, denominator) - scaled.left;
  scaled.height = MulDiv(control.top + control.height, numerator, denominator) - scaled.top;
  return scaled;
}

}  // namespace

TForm::TForm(QWidget* owner, const FormDescription& description, const platform::HandlerTable& handlers,
             int pixelsPerInch)
    : QWidget(owner, FrameFlags(description.window)), client_(new QWidget(this)) {
  const WindowDescription& window = description.window;
  if (window.pixelsPerInch <= 0 || window.textHeight <= 0 || pixelsPerInch <= 0)
    throw Exception("The window " + description.name + " has no valid design density");
  setObjectName(QString::fromStdString(description.name));
  ApplyWindowProperties(window, pixelsPerInch);
  CreateControls(description, handlers, platform::TextHeight(font()));
  BuildTabOrder(description);
  for (QWidget* control : controls_) control->installEventFilter(this);
  AdjustSize();
}

void TForm::ApplyWindowProperties(const WindowDescription& window, int pixelsPerInch) {
  setWindowTitle(QString::fromStdString(window.caption));
  move(window.left, window.top);

  QPalette colours = palette();
  colours.setColor(QPalette::Window, window.color.ToQColor());
  colours.setColor(QPalette::WindowText, window.font.color.ToQColor());
  setPalette(colours);
  setAutoFillBackground(true);

  // The font first follows the screen's density; the layout then follows the
  // font (see CreateControls).
  const int designedPixels = std::abs(window.font.height);
  setFont(platform::MakeFont(window.font, MulDiv(designedPixels, pixelsPerInch, window.pixelsPerInch)));

  auto_size_ = window.autoSize;
  border_width_ = std::max(0, window.borderWidth);
  if (!auto_size_) {
    resize(window.width, window.height);
    client_->setGeometry(rect().adjusted(border_width_, border_width_, -border_width_, -border_width_));
  }
  switch (window.windowState) {
    case platform::WindowState::Normal:
      break;
    case platform::WindowState::Minimized:
      setWindowState(Qt::WindowMinimized);
      break;
    case platform::WindowState::Maximized:
      setWindowState(Qt::WindowMaximized);
      break;
  }
}

void TForm::CreateControls(const FormDescription& description, const platform::HandlerTable& handlers,
                           int textHeight) {
  std::vector<QWidget*> windowed;
  for (const ControlDescription& control : description.controls) {
    const platform::ControlClass* controlClass = platform::FindControlClass(control.className);
    if (!controlClass) throw Exception("The control class " + control.className + " is not registered");
    QWidget* widget = controlClass->create(client_, Scaled(control, textHeight, description.window.textHeight),
                                           handlers);
    widget->setObjectName(QString::fromStdString(control.name));
    if (!control.accessibleName.empty()) widget->setAccessibleName(QString::fromStdString(control.accessibleName));
    // Outside the Tab cycle a windowed control can still be clicked into.
    if (!control.tabOrder) widget->setFocusPolicy(controlClass->windowed ? Qt::ClickFocus : Qt::NoFocus);
    controls_.push_back(widget);
    if (controlClass->windowed) windowed.push_back(widget);
  }
  // Windowed controls lie above every painted one, in their own order.
  for (QWidget* widget : windowed) widget->raise();
}

void TForm::BuildTabOrder(const FormDescription& description) {
  std::vector<std::pair<int, QWidget*>> ordered;
  for (std::size_t i = 0; i < description.controls.size(); ++i) {
    if (description.controls[i].tabOrder) ordered.emplace_back(*description.controls[i].tabOrder, controls_[i]);
  }
  std::stable_sort(ordered.begin(), ordered.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [order, widget] : ordered) tab_order_.push_back(widget);
  for (std::size_t i = 1; i < tab_order_.size(); ++i) QWidget::setTabOrder(tab_order_[i - 1], tab_order_[i]);
}

QWidget* TForm::FindControl(std::string_view name) const {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (QWidget* control : controls_) {
    if (control->objectName() == wanted) return control;
  }
  return nullptr;
}

void TForm::AdjustSize() {
  if (!auto_size_ || adjusting_) return;
  adjusting_ = true;
  QRect extents;
  for (QWidget* control : controls_) {
    if (!control->isHidden()) extents |= control->geometry();
  }
  if (extents.isNull()) extents = QRect(0, 0, 0, 0);
  // The controls start at the client area's top-left corner.
  const QPoint offset = extents.topLeft();
  if (!offset.isNull()) {
    for (QWidget* control : controls_) control->move(control->pos() - offset);
    extents.translate(-offset);
  }
  client_->setGeometry(border_width_, border_width_, extents.width(), extents.height());
  setFixedSize(extents.width() + 2 * border_width_, extents.height() + 2 * border_width_);
  adjusting_ = false;
}

bool TForm::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
      AdjustSize();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void TForm::showEvent(QShowEvent* event) {
  AdjustSize();
  QWidget::showEvent(event);
}

bool TForm::event(QEvent* event) {
  // Activation comes before Qt restores the window's focus: the first time,
  // the first control of the Tab cycle is entered as if by Tab (an entry
  // field selects its text); later, Qt gives the focus back to the control
  // that had it last.
  if (event->type() == QEvent::WindowActivate && !focus_given_) {
    focus_given_ = true;
    if (!focusWidget()) FocusFirstControl();
  }
  return QWidget::event(event);
}

void TForm::FocusFirstControl() {
  for (QWidget* control : tab_order_) {
    if (control->isEnabled() && control->isVisible() && (control->focusPolicy() & Qt::TabFocus)) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void TForm::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) KeepFixedSize();
}

void TForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  KeepFixedSize();
}

// Maximised or not, an auto-sized window keeps the size of its controls. A
// window system that forces another size on it (a maximise that ignores the
// size hints) is answered once the event at hand is done.
void TForm::KeepFixedSize() {
  if (!auto_size_ || size() == maximumSize() || restore_pending_) return;
  restore_pending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        restore_pending_ = false;
        if (size() != maximumSize()) resize(maximumSize());
      },
      Qt::QueuedConnection);
}

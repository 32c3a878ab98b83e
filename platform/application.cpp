#include "platform/application.h"

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "platform/application_title.h"
#include "platform/error_box.h"
#include "platform/error_description.h"
#include "platform/icon_file.h"
#include "platform/show_command.h"
#include "platform/taskbar_entry.h"
#include "resources/embedded.h"

TApplication* Application = nullptr;

namespace {

const QEvent::Type kSettingsChanged = static_cast<QEvent::Type>(QEvent::registerEventType());

bool IsSettingsAnnouncement(QObject* watched, QEvent::Type type) {
  switch (type) {
    case QEvent::LocaleChange:
    case QEvent::ApplicationFontChange:
    case QEvent::ApplicationPaletteChange:
      return watched == QCoreApplication::instance();
    case QEvent::ThemeChange:
      // Sent to each window when the desktop's theme settings change.
      return qobject_cast<QWindow*>(watched) != nullptr;
    default:
      return false;
  }
}

}  // namespace

TApplication::TApplication(std::string_view executable_path)
    : title_(QString::fromStdString(platform::DeriveApplicationTitle(executable_path))),
      icon_(QPixmap::fromImage(platform::DecodeIconFile(MainIconFile()))) {
  if (Application == nullptr) Application = this;
  // The class hint of every window Qt creates carries the title; and closing
  // the main window, not the last one, ends the program.
  if (!title_.isEmpty()) QCoreApplication::setApplicationName(title_);
  QGuiApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(icon_);
  QCoreApplication::instance()->installEventFilter(this);
  previous_reporter_ = platform::SetErrorReporter([this](std::exception_ptr error) { HandleException(error); });
}

TApplication::~TApplication() {
  DestroyForms();
  platform::SetErrorReporter(std::move(previous_reporter_));
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
  if (Application == this) Application = nullptr;
}

void TApplication::AdoptForm(QWidget* form, std::function<void()> forget) {
  forms_.push_back({form, std::move(forget)});
  if (main_form_ == nullptr) {
    main_form_ = form;
    // The taskbar entry shows the title; the title bar keeps the caption.
    form->setWindowIconText(title_);
    form->installEventFilter(this);
  }
}

void TApplication::ShowMainForm() {
  const Qt::WindowStates state = platform::InitialWindowState(platform::StartShowCommand(), main_form_->windowState());
  if (state != main_form_->windowState()) main_form_->setWindowState(state);
  // A minimized start shows only the taskbar entry; restoring it brings the
  // window back in its normal state.
  main_form_->show();
}

void TApplication::Run() {
  if (main_form_ != nullptr) {
    ShowMainForm();
    if (!terminated_) {
      running_ = true;
      QCoreApplication::exec();
      running_ = false;
    }
  }
  terminated_ = true;
}

void TApplication::Terminate() {
  QMetaObject::invokeMethod(this, &TApplication::TakeQuitRequest, Qt::QueuedConnection);
}

void TApplication::TakeQuitRequest() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

void TApplication::EndSession() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

void TApplication::HandleException(std::exception_ptr error) noexcept {
  try {
    // A half-finished drag or press must not go on after the report.
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    const platform::ErrorDescription description = platform::DescribeError(error);
    if (description.silent) return;
    platform::ErrorBox::Show(title_, QString::fromStdString(platform::WithFullStop(description.message)), main_form_);
  } catch (...) {
  }
}

void TApplication::DestroyForms() {
  minimized_with_main_.clear();
  if (main_form_) main_form_->removeEventFilter(this);
  main_form_ = nullptr;
  while (!forms_.empty()) {
    OwnedForm owned = std::move(forms_.back());
    forms_.pop_back();
    delete owned.form.data();
    if (owned.forget) owned.forget();
  }
}

void TApplication::NoteSettingsChange() {
  // One announcement often arrives as several events (a theme change reaches
  // every window): read the settings once, when the loop next comes round.
  if (settings_change_pending_) return;
  settings_change_pending_ = true;
  QCoreApplication::postEvent(this, new QEvent(kSettingsChanged));
}

void TApplication::FollowMainFormState(Qt::WindowStates old_state) {
  const bool minimized = main_form_->windowState() & Qt::WindowMinimized;
  const bool was_minimized = old_state & Qt::WindowMinimized;
  if (minimized && !was_minimized) {
    // Minimizing the main window minimizes the program as a whole: its other
    // windows go too, and only the taskbar entry stays.
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window == main_form_ || !window->isVisible() || (window->windowState() & Qt::WindowMinimized)) continue;
      window->setWindowState(window->windowState() | Qt::WindowMinimized);
      minimized_with_main_.emplace_back(window);
    }
  } else if (!minimized && was_minimized) {
    for (const QPointer<QWidget>& window : minimized_with_main_) {
      if (window && window->isVisible()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    minimized_with_main_.clear();
  }
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
  if (IsSettingsAnnouncement(watched, event->type())) NoteSettingsChange();
  if (watched != main_form_ || main_form_ == nullptr) return false;
  switch (event->type()) {
    case QEvent::Close:
      // Nothing vetoes closing the main window; it ends the program.
      Terminate();
      break;
    case QEvent::WindowStateChange:
      platform::Guarded([&] { FollowMainFormState(static_cast<QWindowStateChangeEvent*>(event)->oldState()); });
      break;
    case QEvent::Show:
    case QEvent::WinIdChange:
    case QEvent::WindowTitleChange:
    case QEvent::IconTextChange:
      platform::LabelTaskbarEntry(main_form_, title_);
      break;
    default:
      break;
  }
  return false;
}

bool TApplication::event(QEvent* event) {
  if (event->type() == kSettingsChanged) {
    settings_change_pending_ = false;
    platform::Guarded([this] {
      if (on_settings_change_) on_settings_change_();
    });
    return true;
  }
  return QObject::event(event);
}

#pragma once
// The application object: one per process. It holds the program's title and
// icon, owns the windows created through it (the first becoming the main
// window), runs the event loop, takes the terminate request and reports every
// error that escapes a command. Closing the main window ends the loop.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <exception>
#include <functional>
#include <new>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/error_boundary.h"

class TApplication : public QObject {
  Q_OBJECT
 public:
  // Derives the title from the executable's path and loads the icon from the
  // program's resources. A Qt application object must exist; the new object
  // becomes `Application` and the error report of the error boundary.
  explicit TApplication(std::string_view executable_path);
  ~TApplication() override;

  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The program's title, fixed for the whole run.
  const QString& Title() const { return title_; }
  // The application icon, shown by every window without an icon of its own.
  const QIcon& Icon() const { return icon_; }
  // The first window created through CreateForm, until the windows go.
  QWidget* MainForm() const { return main_form_; }
  // Set once the loop has taken the quit request or the session has ended.
  bool Terminated() const { return terminated_; }
  // True while Run is inside the event loop.
  bool Running() const { return running_; }

  // The start-up hook: the program installs none, so it does nothing.
  void Initialize() {}

  // Creates a window of class T, owned by the application object. `ref`
  // refers to it from the moment it is allocated, so the window's own
  // building can reach it; if building fails, `ref` is emptied again and the
  // error passes on. The first window created becomes the main window.
  template <class T>
  void CreateForm(T*& ref);

  // Shows the main window in its start state and runs the event loop until
  // the terminate flag is set. Without a main window it returns at once.
  void Run();

  // Posts the quit request; the loop ends when it takes it.
  void Terminate();

  // The session is ending (log-off, shutdown): the terminate flag is set and
  // every running loop, a box's included, ends as after a close.
  void EndSession();

  // The error report: the ErrorBox for any error, nothing for an EAbort.
  // Returns when the box is dismissed. Never throws.
  void HandleException(std::exception_ptr error) noexcept;

  // Called, once per burst, after the desktop announces changed settings
  // (locale, fonts, palette, theme).
  void SetOnSettingsChange(std::function<void()> handler) { on_settings_change_ = std::move(handler); }

  // Destroys every window the application object owns, newest first, and
  // empties their references.
  void DestroyForms();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct OwnedForm {
    QPointer<QWidget> form;
    std::function<void()> forget;
  };

  void AdoptForm(QWidget* form, std::function<void()> forget);
  void ShowMainForm();
  void TakeQuitRequest();
  void NoteSettingsChange();
  void FollowMainFormState(Qt::WindowStates old_state);

  QString title_;
  QIcon icon_;
  QPointer<QWidget> main_form_;
  std::vector<OwnedForm> forms_;
  std::vector<QPointer<QWidget>> minimized_with_main_;
  std::function<void()> on_settings_change_;
  platform::ErrorReporter previous_reporter_;
  bool terminated_ = false;
  bool running_ = false;
  bool settings_change_pending_ = false;
};

// The one application object, from the platform's start-up to its shutdown.
extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& ref) {
  static_assert(std::is_base_of_v<QWidget, T>, "a form is a window");
  void* memory = ::operator new(sizeof(T));
  ref = static_cast<T*>(memory);
  T* form = nullptr;
  try {
    form = ::new (memory) T(nullptr);
  } catch (...) {
    ref = nullptr;
    ::operator delete(memory);
    throw;
  }
  AdoptForm(form, [&ref] { ref = nullptr; });
}

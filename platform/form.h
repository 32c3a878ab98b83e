#pragma once
// A top-level window built from a stored description (platform/
// form_description.h) by one generic builder:
//  - the window's caption, position, frame, colour and font, the font scaled
//    to the screen's density;
//  - its controls, created in the description's order through the registered
//    control classes, each later one painted over the earlier ones and every
//    windowed control above all that are only painted; when the height of
//    "0" in the scaled font differs from the one the layout was made for,
//    every control's edges are scaled by the ratio of the two;
//  - the Tab cycle in the controls' TabOrder, wrapping at both ends; the
//    first control of it gets the focus, as if tabbed into, when the window is
//    first activated, and the control that last had the focus gets it back
//    whenever the window is activated again;
//  - with AutoSize, a client area exactly as large as the controls' extents
//    plus BorderWidth on every side, kept so whenever a control moves or
//    changes its size, and no other size: the frame cannot be dragged and a
//    maximised window keeps it.
// Positions of controls are relative to the area inside that band.

#include <string_view>
#include <vector>

#include <QWidget>

#include "core/exception.h"
#include "platform/control_classes.h"
#include "platform/form_description.h"

namespace platform {
// The density windows are laid out for: the screen's logical dots per inch.
int ScreenPixelsPerInch();
}  // namespace platform

class TForm : public QWidget {
  Q_OBJECT
 public:
  // Builds the window from the description; raises Exception when it names a
  // control class or a handler that does not exist.
  TForm(QWidget* owner, const platform::FormDescription& description, const platform::HandlerTable& handlers = {},
        int pixelsPerInch = platform::ScreenPixelsPerInch());

  // The controls in the order of their creation.
  const std::vector<QWidget*>& Controls() const { return controls_; }
  // The controls that take the focus, in Tab order.
  const std::vector<QWidget*>& TabOrder() const { return tab_order_; }
  // Null when the window has no control of that name.
  QWidget* FindControl(std::string_view name) const;
  // The control of that name and class; raises Exception when there is none.
  template <class Control>
  Control* ControlNamed(std::string_view name) const {
    auto* control = qobject_cast<Control*>(FindControl(name));
    if (!control) throw Exception("The window " + objectName().toStdString() + " has no control " + std::string(name));
    return control;
  }

  // The area the controls are placed in, inside the border band.
  QWidget* ClientArea() const { return client_; }
  int BorderWidth() const { return border_width_; }

  // Fits the window to its controls (with AutoSize); done by itself whenever
  // the window is shown or a control changes its bounds.
  void AdjustSize();

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyWindowProperties(const platform::WindowDescription& window, int pixelsPerInch);
  void CreateControls(const platform::FormDescription& description, const platform::HandlerTable& handlers,
                      int textHeight);
  void BuildTabOrder(const platform::FormDescription& description);
  void FocusFirstControl();
  void KeepFixedSize();

  QWidget* client_;
  std::vector<QWidget*> controls_;
  std::vector<QWidget*> tab_order_;
  bool auto_size_ = false;
  int border_width_ = 0;
  bool adjusting_ = false;
  bool focus_given_ = false;
  bool restore_pending_ = false;
};

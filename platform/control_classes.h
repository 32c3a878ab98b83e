#pragma once
// The control classes a window description may name, by class name. Each
// class has a factory that creates the control on its parent and applies the
// description's settings (bounds already scaled to the screen, caption or
// text, colours, handler, picture). The standard classes (TLabel, TEdit,
// TButton, TShape, TImage) are there from the start; RegisterControlClass
// adds others or replaces one.

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include <QObject>
#include <QWidget>

#include "platform/form_description.h"

namespace platform {

using EventHandler = std::function<void(QObject* sender)>;
// The handlers a window offers its description, by name ("Button1Click").
using HandlerTable = std::map<std::string, EventHandler, std::less<>>;

using ControlFactory =
    std::function<QWidget*(QWidget* parent, const ControlDescription& control, const HandlerTable& handlers)>;

struct ControlClass {
  ControlFactory create;
  // A windowed control (an entry field, a button) takes the focus and lies
  // above every control that is only painted onto its parent.
  bool windowed = false;
};

void RegisterControlClass(std::string className, ControlClass controlClass);
// Null when no class of that name is registered.
const ControlClass* FindControlClass(std::string_view className);

// The handler of that name; raises Exception when the table has none.
const EventHandler& FindHandler(const HandlerTable& handlers, std::string_view name);

}  // namespace platform

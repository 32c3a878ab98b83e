#include "platform/control_classes.h"

#include <utility>

#include "core/exception.h"
#include "platform/button.h"
#include "platform/edit.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/shape.h"

namespace platform {
namespace {

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

void PlaceAt(QWidget* control, const ControlDescription& description) {
  control->setGeometry(description.left, description.top, description.width, description.height);
}

void RefuseHandler(const ControlDescription& description) {
  if (!description.onClick.empty())
    throw Exception("The control " + description.name + " of class " + description.className +
                    " has no click event for the handler " + description.onClick);
}

QWidget* CreateLabel(QWidget* parent, const ControlDescription& description, const HandlerTable&) {
  RefuseHandler(description);
  auto* label = new TLabel(parent);
  PlaceAt(label, description);
  label->SetColor(description.color);
  label->SetCaption(Utf8(description.text));
  return label;
}

QWidget* CreateEdit(QWidget* parent, const ControlDescription& description, const HandlerTable&) {
  RefuseHandler(description);
  auto* edit = new TEdit(parent);
  PlaceAt(edit, description);
  edit->SetColors(description.color.value_or(clWindow).ToQColor(), clWindowText.ToQColor());
  edit->SetText(Utf8(description.text));
  edit->resize(edit->width(), edit->AutoHeight());
  return edit;
}

QWidget* CreateButton(QWidget* parent, const ControlDescription& description, const HandlerTable& handlers) {
  auto* button = new TButton(parent);
  PlaceAt(button, description);
  button->SetCaption(Utf8(description.text));
  if (!description.onClick.empty()) button->SetOnClick(FindHandler(handlers, description.onClick));
  return button;
}

QWidget* CreateShape(QWidget* parent, const ControlDescription& description, const HandlerTable&) {
  RefuseHandler(description);
  auto* shape = new TShape(parent);
  PlaceAt(shape, description);
  if (description.color) shape->SetBrushColor(description.color->ToQColor());
  return shape;
}

QWidget* CreateImage(QWidget* parent, const ControlDescription& description, const HandlerTable&) {
  RefuseHandler(description);
  auto* image = new TImage(parent);
  PlaceAt(image, description);
  if (!description.picture.empty()) image->LoadPictureFromTaggedData(description.picture);
  return image;
}

std::map<std::string, ControlClass, std::less<>>& Registry() {
  static std::map<std::string, ControlClass, std::less<>> registry{
      {"TLabel", {CreateLabel, false}},  {"TEdit", {CreateEdit, true}},   {"TButton", {CreateButton, true}},
      {"TShape", {CreateShape, false}}, {"TImage", {CreateImage, false}},
  };
  return registry;
}

}  // namespace

void RegisterControlClass(std::string className, ControlClass controlClass) {
  Registry().insert_or_assign(std::move(className), std::move(controlClass));
}

const ControlClass* FindControlClass(std::string_view className) {
  const auto& registry = Registry();
  const auto found = registry.find(className);
  return found == registry.end() ? nullptr : &found->second;
}

const EventHandler& FindHandler(const HandlerTable& handlers, std::string_view name) {
  const auto found = handlers.find(name);
  if (found == handlers.end()) throw Exception("The handler " + std::string(name) + " does not exist");
  return found->second;
}

}  // namespace platform

#include "ui/form1_description.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/picture.h"
#include "resources/embedded.h"

namespace {

using platform::ControlDescription;
using platform::FormDescription;

constexpr int kNone = -1;

// One row per control, in the order of creation, which is also the order of
// painting. Colours: none for the window's own.
struct Row {
  const char* name;
  const char* className;
  int left, top, width, height;
  const char* text;
  int tabOrder;
  std::optional<TColor> color;
  const char* accessibleName;
};

// clang-format off
constexpr Row kControls[] = {
    // name       class      left top  width height text                              tab    colour          spoken name
    {"Image1",   "TImage",     0,   0, 105, 105, "",                                   kNone, std::nullopt,   ""},
    {"Label1",   "TLabel",   120,   8,  39,  12, "Score 1",                            kNone, std::nullopt,   ""},
    {"Label2",   "TLabel",   120,  40,  39,  12, "Score 2",                            kNone, std::nullopt,   ""},
    {"Label3",   "TLabel",   120,  72,  39,  12, "Score 3",                            kNone, std::nullopt,   ""},
    {"Label4",   "TLabel",   240,   8,  24,  12, "Rate",                               kNone, std::nullopt,   ""},
    {"Label5",   "TLabel",   240,  40,  24,  12, "Rate",                               kNone, std::nullopt,   ""},
    {"Label6",   "TLabel",   240,  72,  24,  12, "Rate",                               kNone, std::nullopt,   ""},
    {"Shape1",   "TShape",   168,  96, 257,  41, "",                                   kNone, std::nullopt,   ""},
    {"Label7",   "TLabel",   176, 104,  94,  12, "コトリナソフト",                     kNone, clBtnHighlight, ""},
    {"Label8",   "TLabel",   176, 120, 185,  12, "http://www.kotorina.example/",       kNone, clCream,        ""},
    {"Label9",   "TLabel",   344,   8,  28,  12, "Slope",                              kNone, std::nullopt,   ""},
    {"Label10",  "TLabel",   344,  40,  28,  12, "Slope",                              kNone, std::nullopt,   ""},
    {"Label11",  "TLabel",   344,  72,  28,  12, "Slope",                              kNone, std::nullopt,   ""},
    {"Edit1",    "TEdit",    168,   0,  49,  20, "Score1",                             0,     clWindow,       "Score 1"},
    {"Edit2",    "TEdit",    168,  32,  49,  20, "Score2",                             1,     clWindow,       "Score 2"},
    {"Button1",  "TButton",    0, 112, 105,  25, "簡易 HC の計算",                     6,     std::nullopt,   ""},
    {"Edit3",    "TEdit",    168,  64,  49,  20, "Score3",                             2,     clWindow,       "Score 3"},
    {"Edit4",    "TEdit",    272,   0,  49,  20, "72",                                 3,     clWindow,       "Rate 1"},
    {"Edit5",    "TEdit",    272,  32,  49,  20, "72",                                 4,     clWindow,       "Rate 2"},
    {"Edit6",    "TEdit",    272,  64,  49,  20, "72",                                 5,     clWindow,       "Rate 3"},
    {"Edit7",    "TEdit",    376,   0,  49,  20, "113",                                7,     clWindow,       "Slope 1"},
    {"Edit8",    "TEdit",    376,  32,  49,  20, "113",                                8,     clWindow,       "Slope 2"},
    {"Edit9",    "TEdit",    376,  64,  49,  20, "113",                                9,     clWindow,       "Slope 3"},
};
// clang-format on

FormDescription MakeForm1Description() {
  FormDescription form;
  form.name = "Form1";
  form.className = "TForm1";
  auto& window = form.window;
  window.caption = "コトリナくん";
  window.left = 193;
  window.top = 104;
  window.width = 443;
  window.height = 174;
  window.autoSize = true;
  window.borderWidth = 5;
  window.color = clBtnFace;
  window.font = {.name = "ＭＳ Ｐゴシック", .height = -12, .charset = platform::FontCharset::ShiftJis,
                 .color = clWindowText};
  window.pixelsPerInch = 96;
  window.textHeight = 12;
  window.borderStyle = platform::BorderStyle::Sizeable;
  window.borderIcons = {.systemMenu = true, .minimize = true, .maximize = true};
  window.windowState = platform::WindowState::Normal;

  for (const Row& row : kControls) {
    ControlDescription control;
    control.name = row.name;
    control.className = row.className;
    control.left = row.left;
    control.top = row.top;
    control.width = row.width;
    control.height = row.height;
    control.text = row.text;
    if (row.tabOrder != kNone) control.tabOrder = row.tabOrder;
    control.color = row.color;
    control.accessibleName = row.accessibleName;
    form.controls.push_back(std::move(control));
  }
  for (ControlDescription& control : form.controls) {
    if (control.name == "Image1") control.picture = TagPictureData("TJPEGImage", LogoJpegFile());
    if (control.name == "Button1") control.onClick = "Button1Click";
  }
  return form;
}

}  // namespace

const FormDescription& Form1Description() {
  static const FormDescription description = MakeForm1Description();
  return description;
}

#pragma once
// The main window: three rounds of score, course rating and slope rating,
// with the logo, the calculate button and the credit box, built from its
// stored description (ui/form1_description.cpp).

#include <QObject>

#include "platform/button.h"
#include "platform/edit.h"
#include "platform/form.h"
#include "platform/image.h"
#include "platform/label.h"
#include "platform/shape.h"

class TForm1 : public TForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* owner = nullptr, int pixelsPerInch = platform::ScreenPixelsPerInch());

  // The calculate command: the click handler of Button1.
  void Button1Click(QObject* Sender);

  // The controls, found by name once the window is built.
  TImage* Image1;
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label4;
  TLabel* Label5;
  TLabel* Label6;
  TShape* Shape1;
  TLabel* Label7;
  TLabel* Label8;
  TLabel* Label9;
  TLabel* Label10;
  TLabel* Label11;
  TEdit* Edit1;
  TEdit* Edit2;
  TButton* Button1;
  TEdit* Edit3;
  TEdit* Edit4;
  TEdit* Edit5;
  TEdit* Edit6;
  TEdit* Edit7;
  TEdit* Edit8;
  TEdit* Edit9;
};

extern TForm1* Form1;

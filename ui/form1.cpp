#include "ui/form1.h"

#include "ui/form1_description.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* owner, int pixelsPerInch)
    : TForm(owner, Form1Description(), {{"Button1Click", [this](QObject* sender) { Button1Click(sender); }}},
            pixelsPerInch),
      Image1(ControlNamed<TImage>("Image1")),
      Label1(ControlNamed<TLabel>("Label1")),
      Label2(ControlNamed<TLabel>("Label2")),
      Label3(ControlNamed<TLabel>("Label3")),
      Label4(ControlNamed<TLabel>("Label4")),
      Label5(ControlNamed<TLabel>("Label5")),
      Label6(ControlNamed<TLabel>("Label6")),
      Shape1(ControlNamed<TShape>("Shape1")),
      Label7(ControlNamed<TLabel>("Label7")),
      Label8(ControlNamed<TLabel>("Label8")),
      Label9(ControlNamed<TLabel>("Label9")),
      Label10(ControlNamed<TLabel>("Label10")),
      Label11(ControlNamed<TLabel>("Label11")),
      Edit1(ControlNamed<TEdit>("Edit1")),
      Edit2(ControlNamed<TEdit>("Edit2")),
      Button1(ControlNamed<TButton>("Button1")),
      Edit3(ControlNamed<TEdit>("Edit3")),
      Edit4(ControlNamed<TEdit>("Edit4")),
      Edit5(ControlNamed<TEdit>("Edit5")),
      Edit6(ControlNamed<TEdit>("Edit6")),
      Edit7(ControlNamed<TEdit>("Edit7")),
      Edit8(ControlNamed<TEdit>("Edit8")),
      Edit9(ControlNamed<TEdit>("Edit9")) {}

void TForm1::Button1Click(QObject* /*Sender*/) {}

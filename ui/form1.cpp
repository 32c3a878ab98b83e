#include "ui/form1.h"

#include "core/compute_handicap.h"
#include "core/format_handicap.h"
#include "core/parse_entry.h"
#include "core/result_message.h"
#include "ui/form1_description.h"
#include "ui/result_dialog.h"
#include "ui/worksheet_instance.h"

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

// The calculate command. It catches nothing: an entry that is not a number,
// a number beyond the range of a double or a failure of the arithmetic ends
// it at once and goes on to the error report, leaving the worksheet with what
// the steps before had written and the entry fields with what the user typed.
void TForm1::Button1Click(QObject* /*Sender*/) {
  // Down the score column, then the course ratings, then the slope ratings.
  TEdit* const entries[] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9};

  // Every text is stored before any is parsed.
  for (int n = 0; n < 9; ++n) Worksheet.entryTexts[n] = entries[n]->Text().toStdString();
  // Each value is stored right after its text is parsed; the first failure
  // leaves the later ones as they were.
  for (int n = 0; n < 9; ++n) Worksheet.EntryValue(n) = ParseEntry(Worksheet.entryTexts[n]);

  ComputeHandicap(Worksheet);
  Worksheet.handicapText = FormatHandicap(Worksheet.handicapValue);
  ResultDialog(ComposeResultMessage(Worksheet.handicapText));
}

// The program's whole life around a main window whose building fails, as a
// broken stored description would make it fail. Built for the tests only.
#include <QWidget>

#include "app/program.h"
#include "core/exception.h"
#include "platform/application.h"

namespace {

class TBrokenForm : public QWidget {
 public:
  explicit TBrokenForm(QWidget* owner) : QWidget(owner) { throw EConvertError("フォームを構築できません"); }
};

TBrokenForm* BrokenForm = nullptr;

}  // namespace

int main(int argc, char** argv) {
  return RunProgram(argc, argv, [] { Application->CreateForm(BrokenForm); });
}

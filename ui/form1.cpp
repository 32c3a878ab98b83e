#include "ui/form1.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* owner) : QWidget(owner) {
  setWindowTitle(QString::fromUtf8("コトリナくん"));
  move(193, 104);
  resize(443, 174);
}

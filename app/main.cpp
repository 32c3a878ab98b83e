// Placeholder start-up until the application shell lands.
#include <QApplication>

#include "ui/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Form1 = new TForm1;
  Form1->show();
  const int code = app.exec();
  delete Form1;
  return code;
}

#include "app/program.h"
#include "platform/application.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
  return RunProgram(argc, argv, [] { Application->CreateForm(Form1); });
}

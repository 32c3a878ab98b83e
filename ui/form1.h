#pragma once
// The main window. (Placeholder: caption only, until the full layout lands.)

#include <QWidget>

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* owner = nullptr);
};

extern TForm1* Form1;

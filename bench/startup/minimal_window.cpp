// The toolkit's floor for the start-up benchmark: one plain QWidget with the
// same controls as the main window (9 line edits, 11 labels, 1 push button)
// at the same places and with the same texts, and Qt's own message box behind
// the button. Nothing else: no icon, no picture, no custom painting.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace {

constexpr int kMargin = 5;

struct Place {
  int left, top, width, height;
  const char* text;
};

constexpr Place kLabels[] = {
    {120, 8, 39, 12, "Score 1"},   {120, 40, 39, 12, "Score 2"}, {120, 72, 39, 12, "Score 3"},
    {240, 8, 24, 12, "Rate"},      {240, 40, 24, 12, "Rate"},    {240, 72, 24, 12, "Rate"},
    {176, 104, 94, 12, "コトリナソフト"}, {176, 120, 185, 12, "https://kotorina.example/"},
    {344, 8, 28, 12, "Slope"},     {344, 40, 28, 12, "Slope"},   {344, 72, 28, 12, "Slope"},
};

constexpr Place kEdits[] = {
    {168, 0, 49, 20, "Score1"}, {168, 32, 49, 20, "Score2"}, {168, 64, 49, 20, "Score3"},
    {272, 0, 49, 20, "72"},     {272, 32, 49, 20, "72"},     {272, 64, 49, 20, "72"},
    {376, 0, 49, 20, "113"},    {376, 32, 49, 20, "113"},    {376, 64, 49, 20, "113"},
};

template <typename Widget>
Widget* Put(QWidget* parent, const Place& p) {
  auto* w = new Widget(QString::fromUtf8(p.text), parent);
  w->setGeometry(kMargin + p.left, kMargin + p.top, p.width, p.height);
  return w;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("minimal"));
  for (const Place& p : kLabels) Put<QLabel>(&window, p);
  for (const Place& p : kEdits) Put<QLineEdit>(&window, p);
  auto* button = Put<QPushButton>(&window, {0, 112, 105, 25, "簡易 HC の計算"});
  QObject::connect(button, &QPushButton::clicked, &window, [&window] {
    QMessageBox::information(&window, QStringLiteral("minimal"),
                             QString::fromUtf8("あなたのハンディキャップは 12 です"));
  });
  window.setFixedSize(425 + 2 * kMargin, 137 + 2 * kMargin);
  window.move(193, 104);
  window.show();
  return app.exec();
}

// How long the result dialog takes: building and laying it out, and from the
// call until its window is on screen (exposed). Run on the offscreen platform
// for the dialog's own cost, under X11 for what a user waits:
//   QT_QPA_PLATFORM=offscreen build/bench/message_dialog_bench
//   xvfb-run -a build/bench/message_dialog_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "platform/message_dialog.h"

namespace {

const QString kMessage = QStringLiteral("あなたのＨＣは\r   19　　です");

QWidget& Owner() {
  static QWidget* owner = [] {
    auto* window = new QWidget;
    window->resize(400, 300);
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) qWarning("the owner window was never exposed");
    return window;
  }();
  return *owner;
}

void BM_BuildAndLayOut(benchmark::State& state) {
  QWidget& owner = Owner();
  for (auto _ : state) {
    platform::TMessageDialog dialog(&owner, owner.screen(), "Kotorina", kMessage, "OK");
    benchmark::DoNotOptimize(dialog.Button());
  }
}
BENCHMARK(BM_BuildAndLayOut);

// From ShowMessageDialog until the window system has exposed the dialog; the
// closing afterwards is not counted.
void BM_ShowUntilExposed(benchmark::State& state) {
  QWidget& owner = Owner();
  for (auto _ : state) {
    QElapsedTimer clock;
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<platform::TMessageDialog*>(widget);
        if (!dialog || !dialog->isVisible()) continue;
        while (!dialog->windowHandle()->isExposed()) {
          QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        dialog->reject();
      }
    });
    clock.start();
    platform::ShowMessageDialog(&owner, "Kotorina", kMessage);
  }
}
BENCHMARK(BM_ShowUntilExposed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

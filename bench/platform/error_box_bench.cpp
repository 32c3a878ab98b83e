// How long the error report's box takes to build and show, for an ordinary
// message and for the not-a-number message of a pasted text of 100,000
// characters without a blank.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "platform/error_box.h"

namespace {

QString LongMessage() {
  return QStringLiteral("\"") + QString(100000, QLatin1Char('7')) + QString::fromUtf8("\" は有効な数値ではありません.");
}

void ShowAndClose(benchmark::State& state, const QString& text) {
  for (auto _ : state) {
    platform::ErrorBox box(QStringLiteral("kotorina"), text);
    box.show();
    QApplication::processEvents();
    box.close();
  }
}

void BM_ErrorBoxShortMessage(benchmark::State& state) {
  ShowAndClose(state, QString::fromUtf8("\"abc\" は有効な数値ではありません."));
}
BENCHMARK(BM_ErrorBoxShortMessage)->Unit(benchmark::kMillisecond);

void BM_ErrorBoxHundredThousandCharacters(benchmark::State& state) { ShowAndClose(state, LongMessage()); }
BENCHMARK(BM_ErrorBoxHundredThousandCharacters)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The first box of a run also loads the style's icons and fonts; that once
  // only cost is shown apart.
  {
    QElapsedTimer timer;
    timer.start();
    platform::ErrorBox first(QStringLiteral("kotorina"), LongMessage());
    first.show();
    QApplication::processEvents();
    std::printf("first box of the run (100,000 characters): %lld ms\n", static_cast<long long>(timer.elapsed()));
  }
  ::benchmark::Initialize(&argc, argv);
  ::benchmark::RunSpecifiedBenchmarks();
  return 0;
}

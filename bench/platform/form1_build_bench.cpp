// What the main window costs at start-up: building it from its description
// (fonts, 23 controls, layout), and painting it whole once it exists. Runs on
// Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "ui/form1.h"

namespace {

void BuildForm1(benchmark::State& state) {
  for (auto _ : state) {
    TForm1 form(nullptr, 96);
    benchmark::DoNotOptimize(form.Edit1);
  }
}
BENCHMARK(BuildForm1)->Unit(benchmark::kMicrosecond);

void PaintForm1(benchmark::State& state) {
  TForm1 form(nullptr, 96);
  QImage target(form.size(), QImage::Format_RGB32);
  for (auto _ : state) {
    form.render(&target);
    benchmark::DoNotOptimize(target.bits());
  }
}
BENCHMARK(PaintForm1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

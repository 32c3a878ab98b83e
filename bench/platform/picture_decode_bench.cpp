// What the logo costs: reading its headers when the window is built, and
// decoding it on the first paint, in 24-bit colour and quantised for an
// 8-bit display; and what every later paint costs, drawing the kept bitmap.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/jpeg_decoder.h"
#include "platform/jpeg_image.h"
#include "resources/embedded.h"

namespace {

void ReadLogoHeader(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(platform::ReadJpegHeader(LogoJpegFile()));
}
BENCHMARK(ReadLogoHeader);

void DecodeLogo(benchmark::State& state) {
  const int depth = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodeJpeg(LogoJpegFile(), depth));
}
BENCHMARK(DecodeLogo)->Arg(32)->Arg(8)->Unit(benchmark::kMicrosecond);

void RepaintDecodedLogo(benchmark::State& state) {
  TJPEGImage logo;
  logo.LoadFromBytes(LogoJpegFile());
  QImage target(105, 105, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&target);
    logo.Draw(painter, QPoint(0, 0));
  }
}
BENCHMARK(RepaintDecodedLogo)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

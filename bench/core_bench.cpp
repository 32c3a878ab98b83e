#include <benchmark/benchmark.h>

#include <string>

#include "core/compute_handicap.h"
#include "core/exception.h"
#include "core/format_handicap.h"
#include "core/handicap_worksheet.h"
#include "core/parse_entry.h"
#include "core/result_message.h"

namespace {

void ParseText(benchmark::State& state, const std::string& text) {
  for (auto _ : state) benchmark::DoNotOptimize(ParseEntry(text, "."));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// A text of the given length that is not a number: digits up to its last
// character, so the whole text is read before it fails, and the error then
// quotes all of it.
void ParseNonNumber(benchmark::State& state) {
  const std::string text = std::string(static_cast<size_t>(state.range(0)) - 1, '7') + "x";
  for (auto _ : state) {
    try {
      ParseEntry(text, ".");
    } catch (const EConvertError& e) {
      benchmark::DoNotOptimize(e.Message().data());
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

std::string FractionOf150Digits() {
  std::string text = "72.";
  for (int i = 0; i < 150; ++i) text += static_cast<char>('0' + (i * 7 + 3) % 10);
  return text;
}

BENCHMARK_CAPTURE(ParseText, Score72, std::string("72"));
BENCHMARK_CAPTURE(ParseText, Rating72_5, std::string("72.5"));
BENCHMARK_CAPTURE(ParseText, Slope113, std::string("113"));
BENCHMARK_CAPTURE(ParseText, Whole20Digits, std::string("12345678901234567890"));
BENCHMARK_CAPTURE(ParseText, Fraction150Digits, FractionOf150Digits());
BENCHMARK_CAPTURE(ParseText, WithExponent, std::string("6.02214076e23"));
BENCHMARK(ParseNonNumber)->Arg(10 * 1024)->Arg(1024 * 1024);

const char* const kEntries[9] = {"90", "85", "100", "72", "71.7", "75.3", "113", "128", "135"};

void ComputeHandicapOnly(benchmark::State& state) {
  HandicapWorksheet w;
  for (int n = 0; n < 9; ++n) w.EntryValue(n) = ParseEntry(kEntries[n], ".");
  for (auto _ : state) {
    ComputeHandicap(w);
    benchmark::DoNotOptimize(w.handicapValue);
  }
}
BENCHMARK(ComputeHandicapOnly);

// The calculate command without its window: nine texts stored and parsed,
// the handicap computed, formatted and composed into the message.
void WholeCalculation(benchmark::State& state) {
  HandicapWorksheet w;
  for (auto _ : state) {
    for (int n = 0; n < 9; ++n) w.entryTexts[n] = kEntries[n];
    for (int n = 0; n < 9; ++n) w.EntryValue(n) = ParseEntry(w.entryTexts[n]);
    ComputeHandicap(w);
    w.handicapText = FormatHandicap(w.handicapValue);
    const std::string message = ComposeResultMessage(w.handicapText);
    benchmark::DoNotOptimize(message.data());
  }
}
BENCHMARK(WholeCalculation);

}  // namespace

// The Enter path of the core, timed beside the conversion a quick hand-written
// program would do (strtod, divide, snprintf "%.15G" in the C locale). The
// core reads and writes UTF-16 text and checks the grammar itself so that it
// ignores the process locale; this shows what that costs per conversion.
//
// After the usual table it prints ns per conversion and each core figure as
// a ratio of the naive one measured in the same run. Nothing is asserted.

#include "bench/src/measured_run.hpp"
#include "conversion/converter_controller.hpp"
#include "conversion/photon_convert.hpp"
#include "runtime/number_text.hpp"

#include <benchmark/benchmark.h>

#include <array>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using lumbrix::Text;

// Typed values of both kinds and both units, cycled so that no branch sees
// the same input every time.
constexpr std::array<const char*, 6> kInputs = {"632.8", "2", "1.5e3", "0.001", "9999999", "35"};

std::vector<Text> WideInputs() {
  std::vector<Text> wide;
  for (const char* input : kInputs)
    wide.emplace_back(std::string(input).begin(), std::string(input).end());
  return wide;
}

// The number test, value, quotient, result text and ranges, one call each as
// the controller makes them.
void BM_CoreSteps(benchmark::State& state) {
  const auto inputs = WideInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    const Text& input = inputs[i++ % inputs.size()];
    bool number = lumbrix::IsNumber(input);
    benchmark::DoNotOptimize(number);
    auto result = lumbrix::PhotonConvert(input);
    benchmark::DoNotOptimize(result);
    auto units = lumbrix::ClassifyUnits(input);
    benchmark::DoNotOptimize(units);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CoreSteps);

// The whole handler: Enter in the input box, writing all four boxes.
void BM_Text1KeyPressEnter(benchmark::State& state) {
  const auto inputs = WideInputs();
  lumbrix::ConverterFields fields;
  std::size_t i = 0;
  for (auto _ : state) {
    fields.Text1.SetText(inputs[i++ % inputs.size()]);
    auto next = lumbrix::Text1_KeyPress(fields, lumbrix::kKeyEnter);
    benchmark::DoNotOptimize(next);
    benchmark::DoNotOptimize(fields);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Text1KeyPressEnter);

// The parts on their own, to see where the time goes.
void BM_IsNumber(benchmark::State& state) {
  const auto inputs = WideInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    bool number = lumbrix::IsNumber(inputs[i++ % inputs.size()]);
    benchmark::DoNotOptimize(number);
  }
}
BENCHMARK(BM_IsNumber);

void BM_PhotonConvert(benchmark::State& state) {
  const auto inputs = WideInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    auto result = lumbrix::PhotonConvert(inputs[i++ % inputs.size()]);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_PhotonConvert);

void BM_ClassifyUnits(benchmark::State& state) {
  const auto inputs = WideInputs();
  std::size_t i = 0;
  for (auto _ : state) {
    auto units = lumbrix::ClassifyUnits(inputs[i++ % inputs.size()]);
    benchmark::DoNotOptimize(units);
  }
}
BENCHMARK(BM_ClassifyUnits);

// What a quick program would do: read with strtod, divide, write with
// snprintf, compare against the ranges. Narrow text, C locale.
void BM_NaiveStrtodSnprintf(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    const char* input = kInputs[i++ % kInputs.size()];
    char* end = nullptr;
    const double value = std::strtod(input, &end);
    bool number = end != input && *end == '\0';
    benchmark::DoNotOptimize(number);
    char text[32];
    // Not const: libbenchmark 1.9 deprecates DoNotOptimize of a const value.
    int length = std::snprintf(text, sizeof text, "%.15G", 1240.0 / value);
    benchmark::DoNotOptimize(length);
    benchmark::DoNotOptimize(text);
    int range = value >= 0 && value <= 35 ? 1 : value > 35 && value <= 9999999 ? 2 : 0;
    benchmark::DoNotOptimize(range);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NaiveStrtodSnprintf);

// Keeps each benchmark's time per iteration (the median when repeated) for
// the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
  // Colour only on a terminal, so that saved output stays plain text.
  SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      if (!lumbrix::bench::Measured(run)) continue;
      const std::string name = run.run_name.function_name;
      // A plain run is kept until a median of the same benchmark replaces it.
      if (median || !medians_.count(name)) {
        nanoseconds_[name] =
            run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
        if (median) medians_[name] = true;
      }
    }
  }

  void PrintSummary() const {
    const auto naive = nanoseconds_.find("BM_NaiveStrtodSnprintf");
    std::printf("\nns per conversion (ratio to the naive strtod + snprintf, same run)\n");
    for (const auto& [name, ns] : nanoseconds_) {
      if (naive != nanoseconds_.end() && naive->second > 0)
        std::printf("  %-26s %8.1f ns  %5.2fx\n", name.c_str(), ns, ns / naive->second);
      else
        std::printf("  %-26s %8.1f ns\n", name.c_str(), ns);
    }
  }

private:
  std::map<std::string, double> nanoseconds_;
  std::map<std::string, bool> medians_;
};

} // namespace

int main(int argc, char** argv) {
  // The naive side reads and writes numbers the way the C locale does.
  std::setlocale(LC_ALL, "C");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}

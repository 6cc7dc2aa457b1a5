// CPU time of a paste and Enter through the real window, offscreen: 1 MB
// texts beside the short worked example, measured in the same run so the
// figures read as a ratio and not as this machine's absolute speed.
#include "bench/src/measured_run.hpp"
#include "window/qt/form1.hpp"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

namespace {

constexpr qsizetype kMegabyte = 1 << 20;
const char kBaseline[] = "paste+Enter/632.8";

QString Repeat(const QString& piece, qsizetype length) {
  return piece.repeated(length / piece.size() + 1).left(length);
}

void PasteEnter(benchmark::State& state, const QString& pasted) {
  lumbrix::Form1 form([](const QUrl&) { return true; },
                      QUrl(QStringLiteral("https://brimsel.example/")));
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) {
    state.SkipWithError("the window was never exposed");
    return;
  }
  auto* input = form.findChild<QLineEdit*>(QStringLiteral("Text1"));
  QGuiApplication::clipboard()->setText(pasted);

  // A paste that never reached the box would time nothing of interest.
  QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
  if (input->text() != pasted.left(input->maxLength())) {
    state.SkipWithError("the paste did not reach the input box");
    return;
  }

  for (auto _ : state) {
    QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(input, Qt::Key_Return);
    // Lay out and paint what Enter changed, as the event loop would.
    QCoreApplication::processEvents();
  }
  state.SetLabel(QStringLiteral("%1 characters pasted, %2 kept")
                     .arg(pasted.size())
                     .arg(qMin(pasted.size(), qsizetype(input->maxLength())))
                     .toStdString());
}

// The console table, then each benchmark's CPU time over the baseline's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  // Colour only on a terminal, so that saved reports stay plain text.
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    // With repetitions, the median stands for the benchmark.
    for (const Run& run : reports) {
      if (!lumbrix::bench::Measured(run)) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const std::string& name = run.run_name.function_name;
      if (median) medians_.insert(name);
      if (median || (run.run_type == Run::RT_Iteration && !medians_.count(name)))
        cpuMs_[name] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto baseline = cpuMs_.find(kBaseline);
    if (baseline == cpuMs_.end() || baseline->second <= 0) return;
    std::printf("\nCPU time per paste+Enter, over %s (%.3f ms):\n", kBaseline, baseline->second);
    for (const auto& [name, ms] : cpuMs_)
      std::printf("  %-40s %10.3f ms  %8.1fx\n", name.c_str(), ms, ms / baseline->second);
  }

private:
  std::map<std::string, double> cpuMs_;
  std::set<std::string> medians_;
};

} // namespace

int main(int argc, char** argv) {
  // The window must never need a display: this runs on build machines too.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  QApplication app(argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const QString digits = Repeat(QStringLiteral("1234567890"), kMegabyte);
  const QString zeros = QStringLiteral("0.") + QString(kMegabyte, u'0');
  const std::pair<const char*, QString> cases[] = {
      {kBaseline, QStringLiteral("632.8")},
      {"paste+Enter/1 MB digits", digits},
      {"paste+Enter/0. and 1 MB zeros", zeros},
  };
  for (const auto& [name, text] : cases) {
    benchmark::RegisterBenchmark(name, PasteEnter, text)
        ->MeasureProcessCPUTime()
        ->Unit(benchmark::kMillisecond);
  }

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

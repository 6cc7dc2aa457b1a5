// Whether a benchmark run measured anything, in terms that libbenchmark 1.7
// (Debian 12) and 1.9 (Debian 13) share: the flag for a run that ended in an
// error is error_occurred in one and skipped in the other, but in both such a
// run carries no time.
#pragma once

#include <benchmark/benchmark.h>

namespace lumbrix::bench {

inline bool Measured(const benchmark::BenchmarkReporter::Run& run) {
  return run.real_accumulated_time > 0;
}

} // namespace lumbrix::bench

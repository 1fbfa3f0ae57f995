// Two pieces of work timed in the same iterations, in alternating order, so
// that both see the same state of a busy machine: the ratio of two separate
// measurements taken minutes apart on a virtual machine varies by a third.
#pragma once

#include <time.h>

#include <benchmark/benchmark.h>

namespace ovrabjt::bench {

// Wall time: reading the process's processor time is a system call of over a
// microsecond here, a tenth of the shortest piece of work measured.
inline double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs `a` and `b` once per iteration, the first of them alternating, and
// reports their times ("a_us", "b_us") and the ratio of their
// totals ("ratio", a / b).
template <typename A, typename B>
void Paired(benchmark::State& state, A a, B b) {
  double a_total = 0;
  double b_total = 0;
  bool a_first = true;
  const auto timed = [](auto& run, double& total) {
    const double start = Seconds();
    run();
    total += Seconds() - start;
  };
  for (auto _ : state) {
    if (a_first) timed(a, a_total);
    timed(b, b_total);
    if (!a_first) timed(a, a_total);
    a_first = !a_first;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["a_us"] = a_total / n * 1e6;
  state.counters["b_us"] = b_total / n * 1e6;
  state.counters["ratio"] = b_total > 0 ? a_total / b_total : 0;
}

}  // namespace ovrabjt::bench

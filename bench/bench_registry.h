// Registration of measurements on one piece of the workload.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace ovrabjt::bench {

template <typename Input>
void Register(const std::string& name, void (*run)(benchmark::State&, const Input&),
              const Input& input) {
  benchmark::RegisterBenchmark(name.c_str(), [run, &input](benchmark::State& state) {
    run(state, input);
  })->Unit(benchmark::kMicrosecond);
}

// The tickets whose load and conversion are held to the cached-grammar
// floor.
inline constexpr const char* kCachedFloorTickets[] = {
    "fresh", "example", "overrides-5", "overrides-25", "overrides-250", "maximal"};

void RegisterConversionBenchmarks();
void RegisterFloorBenchmarks();
void RegisterPairedBenchmarks();
void RegisterPrefsBenchmarks();

}  // namespace ovrabjt::bench

// Runs every measurement, then prints how the module compares with the XML
// library's floor and how its cost grows with the size of a ticket.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "bench_registry.h"
#include "frame/ovra_bjt_app.h"
#include "workload.h"

namespace {

// The console report, keeping each result's time per iteration.
class Recorder : public benchmark::ConsoleReporter {
 public:
  // Keeps processor time per iteration (the machine may be busy with other
  // work); with repetitions, the median of them.
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      const bool aggregate = run.run_type == Run::RT_Aggregate;
      if (aggregate && run.aggregate_name != "median") continue;
      const std::string name = run.run_name.str();
      times[name] = run.GetAdjustedCPUTime();
      for (const auto& [counter_name, counter] : run.counters) counters[name][counter_name] = counter;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
  std::map<std::string, std::map<std::string, double>> counters;
};

struct Check {
  const char* what;
  double value;
  double target;
};

int Summarise(const Recorder& r) {
  auto time = [&](const std::string& name) {
    auto it = r.times.find(name);
    return it == r.times.end() ? 0.0 : it->second;
  };
  auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  auto peak = [&](const std::string& name) {
    auto it = r.counters.find(name);
    return it == r.counters.end() ? 0.0 : it->second.at("peak_kb");
  };
  const Check checks[] = {
      {"load / bare parse (maximal)", ratio(time("LoadOvra/maximal"), time("BareParse/maximal")), 1.25},
      {"convert / (template parse + bare write) (maximal)",
       ratio(time("ConvertBJTToOvraStream/maximal"),
             time("BareParse/template") + time("BareWrite/maximal")),
       1.5},
      {"load 250 / 25 overrides",
       ratio(time("LoadOvra/overrides-250"), time("LoadOvra/overrides-25")), 12},
      {"convert 250 / 25 overrides",
       ratio(time("ConvertBJTToOvraStream/overrides-250"),
             time("ConvertBJTToOvraStream/overrides-25")),
       12},
      {"unpack+pack 250 / 25 overrides (3013 / 313 strings)",
       ratio(time("UnpackPack/overrides-250"), time("UnpackPack/overrides-25")), 12},
      {"enumerate 1000 / 100 stocks",
       ratio(time("PopulateStockFromAttrList/1000"), time("PopulateStockFromAttrList/100")), 12},
      {"peak memory: load / bare parse (maximal)",
       ratio(peak("LoadOvra/maximal"), peak("BareParse/maximal")), 2},
  };
  std::printf("\n%-58s %8s %8s\n", "ratio", "measured", "target");
  int missed = 0;
  for (const Check& c : checks) {
    const bool met = c.value > 0 && c.value <= c.target;
    missed += !met;
    std::printf("%-58s %8.2f %8.2f %s\n", c.what, c.value, c.target, met ? "" : "MISSED");
  }
  return missed;
}

}  // namespace

int main(int argc, char** argv) {
  ovrabjt::TheApp().InitInstance();
  benchmark::Initialize(&argc, argv);
  ovrabjt::bench::RegisterFloorBenchmarks();
  ovrabjt::bench::RegisterConversionBenchmarks();
  ovrabjt::bench::RegisterPrefsBenchmarks();
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  const int missed = Summarise(recorder);
  std::filesystem::remove_all(ovrabjt::bench::ScratchFolder());
  benchmark::Shutdown();
  ovrabjt::TheApp().ExitInstance();
  return missed == 0 ? 0 : 1;
}

// Capability queries and the enumeration of media-preference stocks.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "bench_registry.h"
#include "convert/media/media_record.h"
#include "paired.h"
#include "prefs/capabilities.h"
#include "prefs/media_preferences.h"
#include "prefs/prefs_documents.h"
#include "workload.h"

namespace ovrabjt::bench {

namespace {

void ParseCapabilities(benchmark::State& state, const int& values) {
  const std::string& text = CapabilitiesText(values);
  for (auto _ : state) {
    auto list = ReadCapabilities(text.data(), static_cast<std::int32_t>(text.size()));
    benchmark::DoNotOptimize(list.get());
  }
}

// Both calls: the size, then the slots.
void QueryCapability(benchmark::State& state, const int& values) {
  const std::string& text = CapabilitiesText(values);
  auto list = ReadCapabilities(text.data(), static_cast<std::int32_t>(text.size()));
  std::vector<char> slots;
  for (auto _ : state) {
    std::int32_t size = 0;
    GetSpecificKespInfo(*list, 1, 64, nullptr, &size);
    slots.resize(static_cast<std::size_t>(size));
    GetSpecificKespInfo(*list, 1, 64, slots.data(), &size);
    benchmark::DoNotOptimize(slots.data());
  }
}

void ReadStocks(benchmark::State& state, const int& stocks) {
  const std::string& file = MediaPreferencesFile(stocks);
  for (auto _ : state) {
    auto list = ReadMediaPreferences(file.c_str());
    benchmark::DoNotOptimize(list.get());
  }
}

// Index 1, 2, 3 ... until the index comes back 0.
void EnumerateAll(AttrNodeList& list, MediaBytes& record) {
  for (std::uint16_t index = 1;; ++index) {
    PopulateStockFromAttrList(list, 2, index, MediaView(record));
    if (index == 0) break;
  }
  benchmark::DoNotOptimize(record.data());
}

// The stock lists enumerated, read with the workload before any measurement
// runs. Read later, a list lies scattered over the holes the measurements
// before it leave in the heap, and its enumeration would time that history:
// 1000 stocks then take up to a third longer per stock, 100 stocks (which
// fit the processor's cache however they lie) no longer.
AttrNodeList& StockList(int stocks) {
  static std::map<int, std::unique_ptr<AttrNodeList>> lists;
  std::unique_ptr<AttrNodeList>& list = lists[stocks];
  if (!list) list = ReadMediaPreferences(MediaPreferencesFile(stocks).c_str());
  return *list;
}

void EnumerateStocks(benchmark::State& state, const int& stocks) {
  AttrNodeList& list = StockList(stocks);
  MediaBytes record{};
  for (auto _ : state) EnumerateAll(list, record);
}

const int kValues = 10000;
const int kFewStocks = 100;
const int kManyStocks = 1000;

// Many stocks against few, enumerated in the same iterations.
void EnumerateManyAgainstFew(benchmark::State& state, const std::pair<int, int>& counts) {
  AttrNodeList& many = StockList(counts.first);
  AttrNodeList& few = StockList(counts.second);
  MediaBytes record{};
  Paired(
      state, [&] { EnumerateAll(many, record); }, [&] { EnumerateAll(few, record); });
}

const std::pair<int, int> kManyAndFew{kManyStocks, kFewStocks};

}  // namespace

void RegisterPrefsBenchmarks() {
  for (int stocks : {kFewStocks, kManyStocks}) StockList(stocks);
  Register("GetPrinterCapInfofromBuffer/10000", ParseCapabilities, kValues);
  Register("GetSpecificKespInfo/10000", QueryCapability, kValues);
  for (const int* stocks : {&kFewStocks, &kManyStocks}) {
    Register("GetMediaPreferenceInfofromFile/" + std::to_string(*stocks), ReadStocks, *stocks);
    Register("PopulateStockFromAttrList/" + std::to_string(*stocks), EnumerateStocks, *stocks);
  }
  Register("Paired/PopulateStockFromAttrList/1000-100", EnumerateManyAgainstFew, kManyAndFew);
}

}  // namespace ovrabjt::bench

// The conversions of the module, on each ticket.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "bench_registry.h"
#include "convert/ticket_conversion.h"
#include "frame/ticket_documents.h"
#include "memory_meter.h"
#include "module_runs.h"
#include "ticket/packing.h"
#include "workload.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt::bench {

namespace {

// Counts what it is given and keeps nothing, like a caller streaming on.
class CountingSink : public XmlOutputCallback {
 public:
  OvraBool Write(const char*, std::uint32_t count) override {
    bytes += count;
    return 1;
  }
  std::size_t bytes = 0;
};

std::unique_ptr<TicketRecord> Unpacked(const Ticket& t) {
  auto record = TicketRecord::Allocate();
  UnpackTicket(*record, t.packed.data(), t.packed.size());
  return record;
}

void UnpackPack(benchmark::State& state, const Ticket& t) {
  auto record = TicketRecord::Allocate();
  std::vector<std::uint8_t> out(t.packed.size());
  for (auto _ : state) UnpackPackOnce(t, *record, out);
  state.counters["strings"] = static_cast<double>(record->strings.size());
}

void Build(benchmark::State& state, const Ticket& t) {
  auto record = Unpacked(t);
  for (auto _ : state) {
    std::unique_ptr<AttrNodeList> list;
    BuildTicketAttributes(*record, list);
    benchmark::DoNotOptimize(list.get());
  }
}

void FillFromList(benchmark::State& state, const Ticket& t) {
  auto record = Unpacked(t);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*record, list);
  auto filled = TicketRecord::Allocate();
  for (auto _ : state) {
    InitTicketRecord(*filled);
    ReadTicketAttributes(*list, *filled);
    benchmark::DoNotOptimize(filled->bytes.data());
  }
}

void Convert(benchmark::State& state, const Ticket& t) {
  for (auto _ : state) ConvertOnce(state, t);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.document.size()));
}

// The two halves of a conversion to text: the document built from the list
// (the XML library's DOM), then written.
void BuildDocument(benchmark::State& state, const Ticket& t) {
  auto record = Unpacked(t);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*record, list);
  for (auto _ : state) {
    OvraDomDoc document(BaseName(), true);
    document.BuildFrom(*list);
  }
}

void WriteDocument(benchmark::State& state, const Ticket& t) {
  auto record = Unpacked(t);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*record, list);
  OvraDomDoc document(BaseName(), true);
  document.BuildFrom(*list);
  for (auto _ : state) {
    CountingSink sink;
    document.WriteTo(sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.document.size()));
}

void Save(benchmark::State& state, const Ticket& t) {
  const std::string file = ScratchFolder() + "/saved-" + t.name + ".xml";
  for (auto _ : state)
    if (!SaveTicketDocument(file.c_str(), BaseName(), {t.packed.data(), t.packed.size()}))
      state.SkipWithError("save failed");
}

void Load(benchmark::State& state, const Ticket& t) {
  const auto load = [&] { LoadOnce(state, t); };
  const std::size_t peak = PeakHeapOf(load);
  for (auto _ : state) load();
  state.counters["peak_kb"] = static_cast<double>(peak) / 1024;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.document.size()));
}

}  // namespace

void UnpackPackOnce(const Ticket& t, TicketRecord& record, std::vector<std::uint8_t>& out) {
  UnpackTicket(record, t.packed.data(), t.packed.size());
  std::uint32_t size = 0;
  PackTicket(nullptr, record, &size);
  PackTicket(out.data(), record, nullptr);
  benchmark::DoNotOptimize(out.data());
}

void ConvertOnce(benchmark::State& state, const Ticket& t, bool with_length) {
  CountingSink sink;
  const PackedTicket ticket{t.packed.data(),
                            with_length ? std::optional(t.packed.size()) : std::nullopt};
  if (!WriteTicketDocument(BaseName(), ticket, &sink) || sink.bytes == 0)
    state.SkipWithError("conversion failed");
}

// Both calls of a load: the packed ticket made, then copied to the caller.
void LoadOnce(benchmark::State& state, const Ticket& t) {
  std::vector<std::uint8_t> packed;
  if (!LoadTicketDocument(t.file.c_str(), BaseName(), packed)) {
    state.SkipWithError("load failed");
    return;
  }
  void* destination = std::malloc(packed.size());
  std::memcpy(destination, packed.data(), packed.size());
  std::free(destination);
}

void RegisterConversionBenchmarks() {
  for (const Ticket& t : Tickets()) {
    Register("UnpackPack/" + t.name, UnpackPack, t);
    Register("BuildTicketAttributes/" + t.name, Build, t);
    Register("FillTicketRecord/" + t.name, FillFromList, t);
    Register("ConvertBJTToOvraStream/" + t.name, Convert, t);
    if (t.name == "maximal") {
      Register("BuildDocument/" + t.name, BuildDocument, t);
      Register("WriteDocument/" + t.name, WriteDocument, t);
    }
    Register("SaveOvra/" + t.name, Save, t);
    Register("LoadOvra/" + t.name, Load, t);
  }
}

}  // namespace ovrabjt::bench

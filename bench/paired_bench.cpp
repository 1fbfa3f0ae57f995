// The module's load and conversion timed in the same iterations as the XML
// library's floor for the same document, and the large tickets' work in the
// same iterations as the small ones'.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_registry.h"
#include "floor.h"
#include "module_runs.h"
#include "paired.h"
#include "releases/release_profile.h"
#include "ticket/packing.h"
#include "workload.h"

namespace ovrabjt::bench {

namespace {

// A load against the bare parse of the same document.
void LoadAgainstParse(benchmark::State& state, const Ticket& t) {
  xercesc::HandlerBase errors;
  auto parser = BareParser(errors);
  auto load = [&] { LoadOnce(state, t); };
  auto parse = [&] {
    BareParse(*parser, t.document);
    parser->resetDocumentPool();
  };
  Paired(state, load, parse);
}

// A conversion to text against the parse of the template it starts from and
// the bare write of the finished document.
void ConvertAgainstParseAndWrite(benchmark::State& state, const Ticket& t) {
  xercesc::HandlerBase errors;
  auto template_parser = BareParser(errors);
  auto document_parser = BareParser(errors);
  BareParse(*document_parser, t.document);
  const std::string template_text(LatestRelease().templates.ovra);
  auto convert = [&] { ConvertOnce(state, t); };
  auto floor = [&] {
    BareParse(*template_parser, template_text);
    template_parser->resetDocumentPool();
    benchmark::DoNotOptimize(BareWrite(*document_parser->getDocument()));
  };
  Paired(state, convert, floor);
}

// A load against the XML library's parse of the same document with its
// grammar cached.
void LoadAgainstCachedParse(benchmark::State& state, const Ticket& t) {
  CachedGrammarFloor floor;
  Paired(
      state, [&] { LoadOnce(state, t); }, [&] { floor.Parse(t.document); });
}

// A conversion to text against the cached parse of the template and the
// bare write of the finished document.
void ConvertAgainstCachedFloor(benchmark::State& state, const Ticket& t) {
  CachedGrammarFloor floor;
  xercesc::HandlerBase errors;
  auto document_parser = BareParser(errors);
  BareParse(*document_parser, t.document);
  const std::string template_text(LatestRelease().templates.ovra);
  Paired(
      state, [&] { ConvertOnce(state, t); },
      [&] {
        floor.Parse(template_text);
        benchmark::DoNotOptimize(BareWrite(*document_parser->getDocument()));
      });
}

// A conversion to text against the parse of its template with the document
// type read each time, as every call did before grammars were shared.
void ConvertAgainstTemplateParse(benchmark::State& state, const Ticket& t) {
  xercesc::HandlerBase errors;
  auto parser = BareParser(errors);
  const std::string template_text(LatestRelease().templates.ovra);
  Paired(
      state, [&] { ConvertOnce(state, t); },
      [&] {
        BareParse(*parser, template_text);
        parser->resetDocumentPool();
      });
}

// The growth of a piece of work: the largest ticket against the smallest
// with page overrides.
struct Growth {
  const Ticket& large;
  const Ticket& small;
};

void LoadGrowth(benchmark::State& state, const Growth& g) {
  Paired(
      state, [&] { LoadOnce(state, g.large); }, [&] { LoadOnce(state, g.small); });
}

void ConvertGrowth(benchmark::State& state, const Growth& g) {
  Paired(
      state, [&] { ConvertOnce(state, g.large); }, [&] { ConvertOnce(state, g.small); });
}

void UnpackPackGrowth(benchmark::State& state, const Growth& g) {
  auto large_record = TicketRecord::Allocate();
  auto small_record = TicketRecord::Allocate();
  std::vector<std::uint8_t> large_out(g.large.packed.size());
  std::vector<std::uint8_t> small_out(g.small.packed.size());
  Paired(
      state, [&] { UnpackPackOnce(g.large, *large_record, large_out); },
      [&] { UnpackPackOnce(g.small, *small_record, small_out); });
}

// The exports' unpack of a block whose length they are not told, read
// through the reader of readable memory, against the unpack of the same
// block with its length, read in place.
void GuardedAgainstInPlaceUnpack(benchmark::State& state, const Ticket& t) {
  auto guarded = TicketRecord::Allocate();
  auto in_place = TicketRecord::Allocate();
  Paired(
      state, [&] { benchmark::DoNotOptimize(UnpackTicket(*guarded, t.packed.data())); },
      [&] { benchmark::DoNotOptimize(UnpackTicket(*in_place, t.packed.data(), t.packed.size())); });
  if (guarded->strings.size() != in_place->strings.size()) state.SkipWithError("unpack failed");
}

// The same for the whole conversion to text.
void GuardedAgainstInPlaceConvert(benchmark::State& state, const Ticket& t) {
  Paired(
      state, [&] { ConvertOnce(state, t, false); }, [&] { ConvertOnce(state, t, true); });
}

}  // namespace

void RegisterPairedBenchmarks() {
  const Ticket& maximal = TicketNamed("maximal");
  Register("Paired/LoadOvra-BareParse/maximal", LoadAgainstParse, maximal);
  for (const char* name : {"fresh", "example"})
    Register(std::string("Paired/LoadOvra-BareParse/") + name, LoadAgainstParse, TicketNamed(name));
  Register("Paired/ConvertBJTToOvraStream-BareParseTemplate/fresh", ConvertAgainstTemplateParse,
           TicketNamed("fresh"));
  for (const char* name : kCachedFloorTickets) {
    const Ticket& t = TicketNamed(name);
    Register(std::string("Paired/LoadOvra-BareParseCachedGrammar/") + name, LoadAgainstCachedParse,
             t);
    Register(std::string("Paired/ConvertBJTToOvraStream-CachedFloor/") + name,
             ConvertAgainstCachedFloor, t);
  }
  Register("Paired/ConvertBJTToOvraStream-BareFloor/maximal", ConvertAgainstParseAndWrite, maximal);
  static const Growth growth{TicketNamed("overrides-250"), TicketNamed("overrides-25")};
  Register("Paired/LoadOvra/overrides-250-overrides-25", LoadGrowth, growth);
  Register("Paired/ConvertBJTToOvraStream/overrides-250-overrides-25", ConvertGrowth, growth);
  Register("Paired/UnpackPack/overrides-250-overrides-25", UnpackPackGrowth, growth);
  Register("Paired/UnpackTicket-guarded-in-place/maximal", GuardedAgainstInPlaceUnpack, maximal);
  Register("Paired/UnpackTicket-guarded-in-place/fresh", GuardedAgainstInPlaceUnpack,
           TicketNamed("fresh"));
  Register("Paired/ConvertBJTToOvraStream-guarded-in-place/maximal", GuardedAgainstInPlaceConvert,
           maximal);
  Register("Paired/ConvertBJTToOvraStream-guarded-in-place/fresh", GuardedAgainstInPlaceConvert,
           TicketNamed("fresh"));
}

}  // namespace ovrabjt::bench

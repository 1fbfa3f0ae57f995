// The module's load and conversion timed in the same iterations as the XML
// library's floor for the same document.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_registry.h"
#include "floor.h"
#include "module_runs.h"
#include "paired.h"
#include "releases/release_profile.h"
#include "workload.h"

namespace ovrabjt::bench {

namespace {

// A load against the bare parse of the same document.
void LoadAgainstParse(benchmark::State& state, const Ticket& t) {
  xercesc::HandlerBase errors;
  auto parser = BareParser(errors);
  auto load = [&] {
    if (!LoadOnce(t)) state.SkipWithError("load failed");
  };
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
  auto convert = [&] {
    if (ConvertOnce(t) == 0) state.SkipWithError("conversion failed");
  };
  auto floor = [&] {
    BareParse(*template_parser, template_text);
    template_parser->resetDocumentPool();
    benchmark::DoNotOptimize(BareWrite(*document_parser->getDocument()));
  };
  Paired(state, convert, floor);
}

}  // namespace

void RegisterPairedBenchmarks() {
  for (const Ticket& t : Tickets()) {
    if (t.name != "maximal") continue;
    Register("Paired/LoadOvra-BareParse/" + t.name, LoadAgainstParse, t);
    Register("Paired/ConvertBJTToOvraStream-BareFloor/" + t.name, ConvertAgainstParseAndWrite, t);
  }
}

}  // namespace ovrabjt::bench

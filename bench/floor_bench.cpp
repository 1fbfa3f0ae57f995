// The floor the XML library sets: a bare DOM parse with the module's settings
// (validation against the same document type) and a bare formatter write of
// the same DOM. Everything the module adds is measured against these.
#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/XMLFormatter.hpp>
#include <xercesc/framework/XMLGrammarPoolImpl.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>
#include <xercesc/util/XMLString.hpp>

#include "bench_registry.h"
#include "floor.h"
#include "memory_meter.h"
#include "releases/release_profile.h"
#include "workload.h"
#include "xml/xml_platform.h"

namespace ovrabjt::bench {

using namespace xercesc;

namespace {

std::u16string Wide(const char* text) {
  std::u16string wide;
  for (const char* p = text; *p; ++p) wide += static_cast<char16_t>(*p);
  return wide;
}

}  // namespace

std::unique_ptr<XercesDOMParser> BareParser(HandlerBase& errors) {
  auto parser = std::make_unique<XercesDOMParser>();
  parser->setValidationScheme(XercesDOMParser::Val_Always);
  parser->setDoNamespaces(false);
  parser->setDoSchema(false);
  parser->setCreateEntityReferenceNodes(false);
  parser->setErrorHandler(&errors);
  return parser;
}

void BareParse(XercesDOMParser& parser, const std::string& text) {
  static const std::u16string system_id = Wide(BaseName());
  MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                           system_id.c_str(), false);
  parser.parse(source);
}

CachedGrammarFloor::CachedGrammarFloor()
    : pool_(std::make_unique<XMLGrammarPoolImpl>(XMLPlatformUtils::fgMemoryManager)) {
  XercesDOMParser loader(nullptr, XMLPlatformUtils::fgMemoryManager, pool_.get());
  loader.setValidationScheme(XercesDOMParser::Val_Always);
  loader.setDoNamespaces(false);
  loader.setErrorHandler(&errors_);
  const std::string type =
      std::string(OVRABJT_SOURCE_DIR) + "/data/" + std::string(LatestRelease().ovra_dtd);
  const std::u16string wide = Wide(type.c_str());
  if (loader.loadGrammar(wide.c_str(), Grammar::DTDGrammarType, true) == nullptr)
    throw std::runtime_error("cannot parse " + type);
  pool_->lockPool();
}

CachedGrammarFloor::~CachedGrammarFloor() = default;

void CachedGrammarFloor::Parse(const std::string& text) {
  XercesDOMParser parser(nullptr, XMLPlatformUtils::fgMemoryManager, pool_.get());
  parser.setValidationScheme(XercesDOMParser::Val_Always);
  parser.setDoNamespaces(false);
  parser.setDoSchema(false);
  parser.setCreateEntityReferenceNodes(false);
  parser.setErrorHandler(&errors_);
  parser.useCachedGrammarInParse(true);
  BareParse(parser, text);
}

namespace {

// Discards the formatted bytes, counting them.
class NullTarget : public XMLFormatTarget {
 public:
  void writeChars(const XMLByte*, XMLSize_t count, XMLFormatter*) override { bytes += count; }
  std::size_t bytes = 0;
};

void WriteNode(XMLFormatter& out, const DOMNode& node) {
  switch (node.getNodeType()) {
    case DOMNode::ELEMENT_NODE: {
      out << XMLFormatter::NoEscapes << u"<" << node.getNodeName();
      const DOMNamedNodeMap* attributes = node.getAttributes();
      for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
        const DOMNode* a = attributes->item(i);
        out << XMLFormatter::NoEscapes << u" " << a->getNodeName() << u"=\""
            << XMLFormatter::AttrEscapes << a->getNodeValue() << XMLFormatter::NoEscapes << u"\"";
      }
      out << u">";
      for (const DOMNode* child = node.getFirstChild(); child; child = child->getNextSibling())
        WriteNode(out, *child);
      out << XMLFormatter::NoEscapes << u"</" << node.getNodeName() << u">";
      break;
    }
    case DOMNode::TEXT_NODE:
      out << XMLFormatter::CharEscapes << node.getNodeValue();
      break;
    default:
      for (const DOMNode* child = node.getFirstChild(); child; child = child->getNextSibling())
        WriteNode(out, *child);
  }
}

}  // namespace

std::size_t BareWrite(const DOMDocument& document) {
  NullTarget target;
  XMLFormatter formatter(u"UTF-8", &target, XMLFormatter::NoEscapes, XMLFormatter::UnRep_CharRef);
  WriteNode(formatter, document);
  return target.bytes;
}

namespace {

void Parse(benchmark::State& state, const std::string& text) {
  HandlerBase errors;
  auto parser = BareParser(errors);
  const auto parse = [&] {
    BareParse(*parser, text);
    parser->resetDocumentPool();
  };
  const std::size_t peak = PeakHeapOf(parse);
  for (auto _ : state) parse();
  state.counters["peak_kb"] = static_cast<double>(peak) / 1024;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void ParseTicket(benchmark::State& state, const Ticket& t) { Parse(state, t.document); }

void ParseCached(benchmark::State& state, const std::string& text) {
  CachedGrammarFloor floor;
  for (auto _ : state) floor.Parse(text);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void ParseTicketCached(benchmark::State& state, const Ticket& t) { ParseCached(state, t.document); }

void ParseTemplateCached(benchmark::State& state, const ReleaseProfile& release) {
  ParseCached(state, std::string(release.templates.ovra));
}

void ParseTemplate(benchmark::State& state, const ReleaseProfile& release) {
  Parse(state, std::string(release.templates.ovra));
}

void Write(benchmark::State& state, const Ticket& t) {
  HandlerBase errors;
  auto parser = BareParser(errors);
  BareParse(*parser, t.document);
  const DOMDocument* document = parser->getDocument();
  for (auto _ : state) benchmark::DoNotOptimize(BareWrite(*document));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.document.size()));
}

}  // namespace

void RegisterFloorBenchmarks() {
  EnsureXmlPlatform();
  Register("BareParse/template", ParseTemplate, LatestRelease());
  Register("BareParseCachedGrammar/template", ParseTemplateCached, LatestRelease());
  for (const Ticket& t : Tickets()) {
    Register("BareParse/" + t.name, ParseTicket, t);
    Register("BareParseCachedGrammar/" + t.name, ParseTicketCached, t);
    Register("BareWrite/" + t.name, Write, t);
  }
}

}  // namespace ovrabjt::bench

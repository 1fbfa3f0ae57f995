// The XML library's own floor: what a bare parse and a bare write of a
// document cost, with the module's settings.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/framework/XMLGrammarPool.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>

namespace ovrabjt::bench {

// A parser set up as the module sets up its own: validation always, no
// namespaces, entity references expanded.
std::unique_ptr<xercesc::XercesDOMParser> BareParser(xercesc::HandlerBase& errors);

// Parses `text` from memory under the workload's document name.
void BareParse(xercesc::XercesDOMParser& parser, const std::string& text);

// The XML library's floor with the document type parsed once: a locked pool
// primed with the workload's document type, and for each parse a new parser
// over it (useCachedGrammarInParse), set up as BareParser.
class CachedGrammarFloor {
 public:
  CachedGrammarFloor();
  ~CachedGrammarFloor();
  // Parses `text` as BareParse does, with the cached grammar.
  void Parse(const std::string& text);

 private:
  std::unique_ptr<xercesc::XMLGrammarPool> pool_;
  xercesc::HandlerBase errors_;
};

// Writes the document through a formatter into nothing; the bytes written.
std::size_t BareWrite(const xercesc::DOMDocument& document);

}  // namespace ovrabjt::bench

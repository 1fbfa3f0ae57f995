// The XML library's own floor: what a bare parse and a bare write of a
// document cost, with the module's settings.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>

namespace ovrabjt::bench {

// A parser set up as the module sets up its own: validation always, no
// namespaces, entity references expanded.
std::unique_ptr<xercesc::XercesDOMParser> BareParser(xercesc::HandlerBase& errors);

// Parses `text` from memory under the workload's document name.
void BareParse(xercesc::XercesDOMParser& parser, const std::string& text);

// Writes the document through a formatter into nothing; the bytes written.
std::size_t BareWrite(const xercesc::DOMDocument& document);

}  // namespace ovrabjt::bench

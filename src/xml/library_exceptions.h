// The one place where the XML library's exceptions become the module's own.
#pragma once

#include <cstdint>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/XMLException.hpp>

#include "xml/dom_tree_error_reporter.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

// CallLibrary - runs `step`. An exception of the XML library that leaves it
// is kept among the reporter's messages, in the library's words, and raised
// as an OvraParseException with `code`, placed at the caller. Any other
// exception passes unchanged.
template <typename Step>
void CallLibrary(DOMTreeErrorReporter& reporter, OvraErrorCode code, Step&& step,
                 const char* file = __builtin_FILE(), std::uint_least32_t line = __builtin_LINE()) {
  try {
    step();
  } catch (const xercesc::XMLException& problem) {
    reporter.RecordLibraryException(problem.getMessage());
    throw OvraParseException(code, {}, file, line);
  } catch (const xercesc::DOMException& problem) {
    reporter.RecordLibraryException(problem.getMessage());
    throw OvraParseException(code, {}, file, line);
  } catch (const xercesc::SAXException& problem) {
    reporter.RecordLibraryException(problem.getMessage());
    throw OvraParseException(code, {}, file, line);
  } catch (const xercesc::OutOfMemoryException&) {
    reporter.RecordLibraryException(u"out of memory");
    throw OvraParseException(code, {}, file, line);
  }
}

}  // namespace ovrabjt

// A document's values as its text gives them, read the way the library reads
// its elements but before they become typed values: what a warning about a
// value that did not take effect quotes (the library keeps no text of a
// number, nor of a value whose syntax it does not know).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "releases/release_profile.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

struct DocumentValue {
  enum class Shape : std::uint8_t {
    kScalar,   // a text: the element's first text, trimmed
    kList,     // member elements (a collection, set or range)
    kNothing,  // an element without content, which the library reads as nothing
    kSkipped,  // an element without "syntax" that is no group, skipped with its contents
  };
  std::string name;    // the element's name
  std::string syntax;  // its "syntax", trimmed
  std::string text;    // of a scalar, UTF-8
  Shape shape = Shape::kScalar;
  std::vector<DocumentValue> members;  // of a list
};

// ParseDocumentValues - parses `text` as a document of `kind` called
// `base_name` (ovra documents validated against their document type, as the
// library reads them) and returns its values in document order: elements
// with "syntax" at the top level and in group elements. Raises
// OvraParseException when the text does not parse.
std::vector<DocumentValue> ParseDocumentValues(std::string_view text, DocumentKind kind,
                                               const std::string& base_name,
                                               const ReleaseProfile& release);

}  // namespace ovrabjt::cli

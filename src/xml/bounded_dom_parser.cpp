#include "xml/bounded_dom_parser.h"

#include <xercesc/util/RuntimeException.hpp>

namespace ovrabjt {

BoundedDomParser::BoundedDomParser() : xercesc::XercesDOMParser(nullptr) {}

void BoundedDomParser::entityDecl(const xercesc::DTDEntityDecl& entity, bool is_parameter,
                                    bool is_ignored) {
  if (!is_parameter && !entity.isExternal() && entity.getValueLen() > kMaxEntityValue) {
    // A library exception from a handler ends the scan as a fatal error; the
    // code only picks the library's message text.
    throw xercesc::RuntimeException(__FILE__, __LINE__, xercesc::XMLExcepts::Str_ConvertOverflow);
  }
  xercesc::XercesDOMParser::entityDecl(entity, is_parameter, is_ignored);
}

}  // namespace ovrabjt

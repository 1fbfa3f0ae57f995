// A message of the XML library as one line, for the tests that compare the
// messages of parses.
#pragma once

#include <string>

#include "xml/dom_tree_error_reporter.h"

namespace ovrabjt {

// DescribeXmlMessage - "system-id:line:column: kind: text".
std::string DescribeXmlMessage(const XmlMessage& message);

}  // namespace ovrabjt

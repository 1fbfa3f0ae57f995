// A debugging aid: an attribute tree as indented text.
#pragma once

#include <string>

#include "attr/attr_node_list.h"

namespace ovrabjt {

// One line per attribute, `name (syntax) = text`, list members indented by
// two spaces under their list's line, which ends in ':'.
std::string DumpAttrList(const AttrNodeList& list);

}  // namespace ovrabjt

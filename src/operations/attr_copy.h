// A deep copy of one attribute, for operations that read an attribute list
// made of attributes of two documents.
#pragma once

#include <memory>

#include "attr/attr_node.h"

namespace ovrabjt {

// CopyAttrNode - a new attribute with the same name and a copy of the value;
// a collection or set is copied with all its members, level by level.
std::unique_ptr<AttrNode> CopyAttrNode(const AttrNode& node);

}  // namespace ovrabjt

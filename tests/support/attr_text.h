// Attribute lists written as indented text, for tests.
//
//   copies integer 3
//   page-ranges 1setOf
//     value rangeOfInteger
//       lower-bound integer 1
//
// Each line is a name, a syntax and, for a scalar, the rest of the line as its
// text; two spaces of indentation per level make a line a member of the list
// value above it.
#pragma once

#include <memory>
#include <string_view>

#include "attr/attr_node_list.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::testing {

std::unique_ptr<AttrNodeList> ParseAttrText(std::string_view text);

// LoadAttrText - the ticket a load of the attribute text gives: a fresh
// record filled from the text's list.
std::unique_ptr<TicketRecord> LoadAttrText(std::string_view text);

}  // namespace ovrabjt::testing

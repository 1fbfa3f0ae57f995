// Field-by-field comparison of two ticket records, as a document sees them.
#pragma once

#include <string>
#include <vector>

#include "ticket/ticket_record.h"

namespace ovrabjt {

struct FieldDifference {
  std::string field;  // "copies", "jobMedia.color", "pageOverrides[2].sides"
  std::string left;
  std::string right;
};

// CompareTickets - every field whose value differs between the two records.
// String references compare by their texts (no text and an empty one are the
// same), media identifiers by the media they name, and page overrides,
// inserted sheets and force-front pages up to the smaller of the two counts.
std::vector<FieldDifference> CompareTickets(const TicketRecord& left, const TicketRecord& right);

}  // namespace ovrabjt

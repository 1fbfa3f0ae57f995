// What differs between two tickets, field by field, as their documents see
// them: texts by their text, not by their index in a string table; media by
// their content, through the fields that name them, so that the same medium
// in another slot is the same; page overrides, inserted sheets and
// force-front pages entry by entry, an entry of one ticket only showing the
// fields it gives (those that differ from a fresh entry's). The string count
// and strings or media that no field names do not take part.
#pragma once

#include <string>
#include <vector>

#include "inspect/field_catalog.h"
#include "ticket/field.h"
#include "ticket/ticket_record.h"

namespace ovrabjt {

// One side of a difference.
struct DiffSide {
  enum class Kind {
    kField,     // the field's value in `view`, a record of `ticket`
    kNoMedium,  // this side names no medium where the other names one
    kNoEntry,   // this side has no such page override, inserted sheet or page
  };
  Kind kind = Kind::kField;
  const TicketRecord* ticket = nullptr;
  // The record holding the field: the job, a page override, an inserted
  // sheet, a medium or one force-front page.
  ConstFieldView view{nullptr, 0};
};

struct TicketDifference {
  // "copies", "jobMedia.color", "pageOverrides[2].sides",
  // "insertSheets[0].media.type", "forceFrontPages[1]".
  std::string field;
  const FieldInfo* info = nullptr;  // the field in its catalogue
  DiffSide a;
  DiffSide b;
};

// DiffTickets - every difference between the two tickets, in the order of
// the field catalogues: the job's fields (a medium's fields under the field
// that names it), then the page overrides, the inserted sheets and the
// force-front pages. Empty when the tickets are equal. The sides refer into
// the two records, which must outlive the result.
std::vector<TicketDifference> DiffTickets(const TicketRecord& a, const TicketRecord& b);

// ForceFrontPageField - the field of one force-front page, in a view of the
// page's four bytes.
const FieldInfo& ForceFrontPageField();

}  // namespace ovrabjt

// What the fields of a ticket record refer to: media slots and strings. A
// record built by operations on two tickets keeps only the media and strings
// that some field names.
#pragma once

#include <cstdint>

#include "ticket/ticket_record.h"

namespace ovrabjt {

// NamedMediaSlots - a bit per media slot (bit k for slot k) that a field of
// the record names: the job's medium, the front and back covers, and the
// media of the page overrides and inserted sheets in use.
std::uint32_t NamedMediaSlots(const TicketRecord& record);

// ClearMediaSlots - every slot whose bit is not in `keep` back to the
// defaults of an untouched medium, free for another medium.
void ClearMediaSlots(TicketRecord& record, std::uint32_t keep);

// RemoveUnreferencedStrings - removes every string that no string-reference
// field holds, keeping the others in their order; the fields and the string
// count follow. A field holding an index past the table is left as it is.
void RemoveUnreferencedStrings(TicketRecord& record);

}  // namespace ovrabjt

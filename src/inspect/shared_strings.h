// Whether a string of the record has more than one holder, for the tests of
// the string table (a release of a string counts its holders in its own pass).
#pragma once

#include <cstdint>

#include "ticket/ticket_record.h"

namespace ovrabjt {

// IsTicketStringShared - true when more than one string-reference field of the
// record (job level and used page overrides) holds `index`.
bool IsTicketStringShared(const TicketRecord& record, std::uint16_t index);

}  // namespace ovrabjt

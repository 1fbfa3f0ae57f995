#include <array>

#include "convert/field_defaults.h"
#include "convert/job_defaults.h"
#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

// The fixed part of a fresh ticket: zeroed, then every default written.
// It is the same for every call, so it is made once and copied.
const std::array<std::uint8_t, kTicketSize>& FreshBytes() {
  static const std::array<std::uint8_t, kTicketSize> fresh = [] {
    TicketRecord record;
    WriteDefaults(record.view(), kJobDefaults);
    for (std::size_t k = 0; k < kMediaSlots; ++k) InitMediaRecord(record.MediaSlot(k));
    for (std::size_t i = 0; i < kMaxOverrides; ++i)
      WriteDefaults(record.Override(i), kOverrideDefaults);
    for (std::size_t i = 0; i < kMaxInserts; ++i) WriteDefaults(record.Insert(i), kInsertDefaults);
    return record.bytes;
  }();
  return fresh;
}

}  // namespace

void InitTicketRecord(TicketRecord& record) {
  FreeTicketStrings(record.strings);
  record.bytes = FreshBytes();
  record.ResetMediaClaims();
}

}  // namespace ovrabjt

#include <algorithm>

#include "convert/field_defaults.h"
#include "convert/job_defaults.h"
#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

void InitTicketRecord(TicketRecord& record) {
  FreeTicketStrings(record.strings);
  std::fill(record.bytes.begin(), record.bytes.end(), std::uint8_t{0});
  record.ResetMediaClaims();
  WriteDefaults(record.view(), kJobDefaults);
  for (std::size_t k = 0; k < kMediaSlots; ++k) InitMediaRecord(record.MediaSlot(k));
  for (std::size_t i = 0; i < kMaxOverrides; ++i)
    WriteDefaults(record.Override(i), kOverrideDefaults);
  for (std::size_t i = 0; i < kMaxInserts; ++i) WriteDefaults(record.Insert(i), kInsertDefaults);
}

}  // namespace ovrabjt

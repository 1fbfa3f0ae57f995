#include <algorithm>
#include <span>
#include <variant>

#include "convert/job_defaults.h"
#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

// Writes each default through the field's own little-endian accessor.
void WriteDefaults(const FieldView& view, std::span<const FieldDefault> defaults) {
  for (const FieldDefault& d : defaults)
    std::visit(
        [&](auto field) {
          using Value = decltype(view.Get(field));
          view.Set(field, static_cast<Value>(d.value));
        },
        d.field);
}

}  // namespace

void InitTicketRecord(TicketRecord& record) {
  FreeTicketStrings(record.strings);
  std::fill(record.bytes.begin(), record.bytes.end(), std::uint8_t{0});
  record.ResetMediaClaims();
  WriteDefaults(record.view(), kJobDefaults);
  for (std::size_t k = 0; k < kMediaSlots; ++k) InitMediaRecord(record.MediaSlot(k));
  for (std::size_t i = 0; i < kMaxOverrides; ++i) WriteDefaults(record.Override(i), kOverrideDefaults);
  for (std::size_t i = 0; i < kMaxInserts; ++i) WriteDefaults(record.Insert(i), kInsertDefaults);
}

}  // namespace ovrabjt

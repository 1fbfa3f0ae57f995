#include "operations/ticket_references.h"

#include <algorithm>
#include <string>
#include <vector>

#include "convert/media/media_id.h"
#include "convert/media/media_record.h"

namespace ovrabjt {

namespace tf = ticket_field;

std::uint32_t NamedMediaSlots(const TicketRecord& record) {
  std::uint32_t slots = 0;
  const auto note = [&](std::uint32_t id) {
    if (const auto slot = MediaSlotOf(id)) slots |= std::uint32_t{1} << *slot;
  };
  note(record.Get(tf::kJobMedia));
  note(record.Get(tf::kFrontCoverMedia));
  note(record.Get(tf::kBackCoverMedia));
  for (std::size_t i = 0; i < record.OverridesInUse(); ++i)
    note(record.Override(i).Get(override_field::kMedia));
  const std::size_t inserts = std::min<std::size_t>(record.Get(tf::kInsertCount), kMaxInserts);
  for (std::size_t i = 0; i < inserts; ++i) note(record.Insert(i).Get(insert_field::kMedia));
  return slots;
}

void ClearMediaSlots(TicketRecord& record, std::uint32_t keep) {
  for (std::size_t slot = 0; slot < kMediaSlots; ++slot)
    if (((keep >> slot) & 1u) == 0) InitMediaRecord(record.MediaSlot(slot));
}

void RemoveUnreferencedStrings(TicketRecord& record) {
  const std::size_t count = record.strings.size();
  std::vector<bool> held(count + 1, false);
  ForEachStringRef(record, [&](Field<std::uint16_t> f) {
    const std::uint16_t index = record.Get(f);
    if (index <= count) held[index] = true;
    return true;
  });
  if (std::all_of(held.begin() + 1, held.end(), [](bool h) { return h; })) return;

  // Each kept string's new index; the table is rebuilt in its old order.
  std::vector<std::uint16_t> renumbered(count + 1, 0);
  std::vector<std::string> kept;
  for (std::size_t index = 1; index <= count; ++index) {
    if (!held[index]) continue;
    kept.push_back(record.strings.at(index - 1));
    renumbered[index] = static_cast<std::uint16_t>(kept.size());
  }
  record.strings.Clear();
  for (const std::string& text : kept) record.strings.Append(text);
  ForEachStringRef(record, [&](Field<std::uint16_t> f) {
    const std::uint16_t index = record.Get(f);
    if (index >= 1 && index <= count) record.Set(f, renumbered[index]);
    return true;
  });
  const std::size_t removed = count - kept.size();
  const std::uint16_t counted = record.Get(tf::kStringCount);
  record.Set(tf::kStringCount,
             static_cast<std::uint16_t>(counted >= removed ? counted - removed : 0));
}

}  // namespace ovrabjt

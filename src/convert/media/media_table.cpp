#include "convert/media/media_table.h"

#include <cassert>
#include <cstring>
#include <memory>
#include <optional>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/media/media_collection.h"
#include "convert/media/media_id.h"
#include "convert/media/media_record.h"
#include "convert/media/media_vocabulary.h"
#include "ticket/layout.h"

namespace ovrabjt {

namespace {

bool IsClaimed(const TicketRecord& ticket, std::size_t slot) {
  return (ticket.claimed_media_slots >> slot) & 1u;
}

void Claim(TicketRecord& ticket, std::size_t slot) {
  ticket.claimed_media_slots |= std::uint32_t{1} << slot;
}

// The conditional fields count only where the slot's own codes give them a
// meaning; grain and tooth never do.
bool SameMedium(const ConstFieldView& slot, const ConstFieldView& record) {
  using namespace media_field;
  auto same = [&](auto field) { return slot.Get(field) == record.Get(field); };
  if (!same(kFlags) || !same(kSizeCode) || !same(kFrontCoating) || !same(kBackCoating) ||
      !same(kColor) || !same(kType) || !same(kShortEdge) || !same(kLongEdge) || !same(kHoleCode))
    return false;
  if ((slot.Get(kFlags) & media_flag::kWeight) == 0 && !same(kWeight)) return false;
  const std::int16_t type = slot.Get(kType);
  if (type == media_code::kTypeNamed) {
    if (!same(kTypeCountSet)) return false;
    if (slot.Get(kTypeCountSet) == media_code::kTypeCountGiven && !same(kTypeCount)) return false;
    if (slot.Text(kTypeName) != record.Text(kTypeName)) return false;
  }
  if (type == media_code::kTypePreCutTabs && !same(kTabCount)) return false;
  if (slot.Get(kColor) == media_code::kColorNamed &&
      slot.Text(kColorName) != record.Text(kColorName))
    return false;
  return slot.Text(kDescription) == record.Text(kDescription);
}

// The first slot, skipping claimed ones when asked, that holds the medium.
std::optional<std::size_t> FindSlot(const TicketRecord& ticket, const ConstFieldView& record,
                                    bool skip_claimed) {
  for (std::size_t slot = 0; slot < kMediaSlots; ++slot) {
    if (skip_claimed && IsClaimed(ticket, slot)) continue;
    if (SameMedium(ticket.MediaSlot(slot), record)) return slot;
  }
  return std::nullopt;
}

}  // namespace

bool FindMediaRecord(const TicketRecord& ticket, const ConstFieldView& record, std::uint32_t& id) {
  const auto slot = FindSlot(ticket, record, /*skip_claimed=*/false);
  if (!slot) return false;
  id = MediaIdOf(*slot);
  return true;
}

bool FindFreeMediaRecord(const TicketRecord& ticket, std::uint32_t& id) {
  MediaBytes fresh;
  InitMediaRecord(MediaView(fresh));
  const auto slot = FindSlot(ticket, MediaView(fresh), /*skip_claimed=*/true);
  if (!slot) return false;
  id = MediaIdOf(*slot);
  return true;
}

bool StoreMediaRecord(TicketRecord& ticket, std::uint32_t id, const ConstFieldView& record) {
  assert(record.size() == kMediaRecordSize);
  const auto slot = MediaSlotOf(id);
  if (!slot) return false;
  std::memcpy(ticket.MediaSlot(*slot).data(), record.data(), kMediaRecordSize);
  Claim(ticket, *slot);
  return true;
}

bool LoadMediaRecord(const FieldView& record, const TicketRecord& ticket, std::uint32_t id) {
  assert(record.size() == kMediaRecordSize);
  const auto slot = MediaSlotOf(id);
  if (!slot) {
    InitMediaRecord(record);
    return false;
  }
  std::memcpy(record.data(), ticket.MediaSlot(*slot).data(), kMediaRecordSize);
  return true;
}

bool ReadMediaCol(const AttrNodeList& list, TicketRecord& ticket, std::uint32_t& id,
                  const ReleaseProfile& release) {
  const AttrNodeList* members = nullptr;
  if (!ReadCollection(list, media_attr::kMediaCol, 0, members)) return false;
  MediaBytes scratch;
  ReadMediaCollection(*members, MediaView(scratch), release);
  std::uint32_t found = kNoMedia;
  if (!FindMediaRecord(ticket, MediaView(scratch), found) && !FindFreeMediaRecord(ticket, found)) {
    id = kNoMedia;
    return false;
  }
  // The first medium handed a slot owns it whole, grain and tooth included,
  // even when the slot already looked the same.
  const std::size_t slot = *MediaSlotOf(found);
  if (!IsClaimed(ticket, slot)) StoreMediaRecord(ticket, found, MediaView(scratch));
  id = found;
  return true;
}

void WriteMediaCol(AttrNodeList& list, const TicketRecord& ticket, std::uint32_t id,
                   const ReleaseProfile& release) {
  const auto slot = MediaSlotOf(id);
  if (!slot) return;
  auto members = std::make_unique<AttrNodeList>();
  WriteMediaCollection(*members, ticket.MediaSlot(*slot), release);
  if (members->empty()) return;
  AttachCollection(list, std::move(members), media_attr::kMediaCol, kCollection);
}

}  // namespace ovrabjt

#include "convert/media/media_id.h"

#include <bit>
#include <cassert>

#include "ticket/layout.h"

namespace ovrabjt {

std::optional<std::size_t> MediaSlotOf(std::uint32_t id) {
  if (id == 0) return 0;
  // A single bit below the "no medium" bit; its position plus one is the slot.
  if (!std::has_single_bit(id) || id >= kNoMedia) return std::nullopt;
  return static_cast<std::size_t>(std::bit_width(id));
}

std::uint32_t MediaIdOf(std::size_t slot) {
  assert(slot < kMediaSlots);
  return slot == 0 ? 0 : std::uint32_t{1} << (slot - 1);
}

}  // namespace ovrabjt

// Media identifiers: every place of the ticket that names a medium holds one,
// and it selects one slot of the media table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace ovrabjt {

// MediaSlotOf - the slot an identifier names: 0 for 0, k for 1 shifted left by
// k - 1 (k = 1..19). Nothing for the "no medium" identifier and for every
// other value, so a damaged identifier can never reach past the table.
std::optional<std::size_t> MediaSlotOf(std::uint32_t id);

// MediaIdOf - the identifier of a slot (0..19).
std::uint32_t MediaIdOf(std::size_t slot);

}  // namespace ovrabjt

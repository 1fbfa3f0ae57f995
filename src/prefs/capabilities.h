// Capability queries on the attribute list of a capabilities document.
#pragma once

#include <cstdint>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"

namespace ovrabjt {

// GetSpecificKespInfo - copies the values of the capability named by
// `selector` into consecutive slots of `slot_width` bytes at `destination`
// (each value cut to slot_width - 1 characters and ended by a NUL; the bytes
// behind the NUL are not written) and stores count * slot_width in
// `*size_out`. A null destination only measures; a value that is not a text
// occupies its slot as an empty text. A missing capability measures 0.
// False, writing nothing, for an unknown selector, a slot width below 1, a
// null size pointer or a size beyond 32 bits. Selectors and capability names
// follow `release`.
bool GetSpecificKespInfo(const AttrNodeList& list, std::int32_t selector, std::int32_t slot_width,
                         char* destination, std::int32_t* size_out,
                         const ReleaseProfile& release = BuildRelease());

}  // namespace ovrabjt

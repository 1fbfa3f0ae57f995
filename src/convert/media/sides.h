// "sides": the job's and a page override's one-sided or two-sided printing.
#pragma once

#include <cstdint>

#include "attr/attr_node_list.h"

namespace ovrabjt {

// ReadSides - the code of the "sides" keyword (letter case ignored). True
// only for one of the three keywords; any other value, or no "sides", leaves
// `sides` unchanged and returns false.
bool ReadSides(const AttrNodeList& list, std::uint8_t& sides);

// WriteSides - appends the "sides" keyword of the code; nothing for a code
// outside the table ("not given" included).
void WriteSides(AttrNodeList& list, std::uint8_t sides);

}  // namespace ovrabjt

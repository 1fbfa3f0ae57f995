// "media-size" and the size code of a media record.
#pragma once

#include <cstdint>

#include "attr/attr_node_list.h"
#include "ticket/field.h"

namespace ovrabjt {

// ReadMediaSize - reads the "media-size" collection of a "media-col" member
// list into the size code and the two edges (hundredths of a millimetre cut
// to whole millimetres, the shorter edge first). A pair of a standard size
// gets its code; a short edge that no standard size has gets the custom code;
// a standard short edge with another long edge leaves the code as it was.
// True when "media-size" is there and both edges are non-zero; without
// "media-size" the record is left unchanged.
bool ReadMediaSize(const AttrNodeList& members, const FieldView& record);

// WriteMediaSize - appends the "media-size" collection of the record (the
// shorter edge as "x-dimension", in hundredths of a millimetre), unless the
// record has no size or a code without dimensions.
void WriteMediaSize(AttrNodeList& members, const ConstFieldView& record);

// StandardMediaSize - the dimensions of a standard size code in hundredths of
// a millimetre, the shorter first; false and 0, 0 for any other code (the
// custom and "no size" codes included).
bool StandardMediaSize(std::int32_t& x, std::int32_t& y, std::uint32_t code);

}  // namespace ovrabjt

// The 350-byte media record, seen through a field view; the fields are the
// media_field constants of the ticket layout.
#pragma once

#include <array>
#include <cstdint>

#include "ticket/field.h"
#include "ticket/layout.h"

namespace ovrabjt {

// A media record outside the ticket: a scratch record while converting.
using MediaBytes = std::array<std::uint8_t, kMediaRecordSize>;

inline FieldView MediaView(MediaBytes& bytes) { return {bytes.data(), bytes.size()}; }
inline ConstFieldView MediaView(const MediaBytes& bytes) { return {bytes.data(), bytes.size()}; }

// InitMediaRecord - zeroes the 350 bytes of `record` and writes the defaults:
// no size, no colour, no type, no weight or edges, every keyword field at its
// "not given" code, and the hole code of "0 holes".
void InitMediaRecord(const FieldView& record);

}  // namespace ovrabjt

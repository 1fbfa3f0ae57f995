// Every field of the ticket record by name, for tools and tests that show or
// compare records field by field. Names are those of the record layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "ticket/field.h"

namespace ovrabjt {

enum class FieldKind { kU8, kU16, kI16, kU32, kI32, kText, kStringRef, kMediaId };

struct FieldInfo {
  constexpr FieldInfo(std::string_view n, Field<std::uint8_t> f)
      : name(n), kind(FieldKind::kU8), offset(f.offset) {}
  constexpr FieldInfo(std::string_view n, Field<std::uint16_t> f)
      : name(n), kind(FieldKind::kU16), offset(f.offset) {}
  constexpr FieldInfo(std::string_view n, Field<std::int16_t> f)
      : name(n), kind(FieldKind::kI16), offset(f.offset) {}
  constexpr FieldInfo(std::string_view n, Field<std::uint32_t> f)
      : name(n), kind(FieldKind::kU32), offset(f.offset) {}
  constexpr FieldInfo(std::string_view n, Field<std::int32_t> f)
      : name(n), kind(FieldKind::kI32), offset(f.offset) {}
  constexpr FieldInfo(std::string_view n, TextField f)
      : name(n), kind(FieldKind::kText), offset(f.offset), capacity(f.capacity) {}
  constexpr FieldInfo(std::string_view n, FieldKind k, std::size_t off)
      : name(n), kind(k), offset(off) {}

  std::string_view name;
  FieldKind kind;
  std::size_t offset;
  std::size_t capacity = 0;  // texts only

  // The numeric value of the field (numbers, string indexes, media ids).
  std::int64_t Number(const ConstFieldView& v) const;
  TextField Text() const { return {offset, capacity}; }
};

// Fields of the job level (everything outside the media table, the
// page-override and inserted-sheet records and the force-front pages).
std::span<const FieldInfo> JobFieldCatalog();
// Fields of one page-override record, one inserted-sheet record, one media
// record; offsets from the start of that record.
std::span<const FieldInfo> OverrideFieldCatalog();
std::span<const FieldInfo> InsertFieldCatalog();
std::span<const FieldInfo> MediaFieldCatalog();

}  // namespace ovrabjt

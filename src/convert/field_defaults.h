// Defaults as data: a field of any width with the value a fresh record holds
// in it, and the one loop that writes a table of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "ticket/field.h"

namespace ovrabjt {

struct FieldDefault {
  std::variant<Field<std::uint8_t>, Field<std::uint16_t>, Field<std::int16_t>, Field<std::uint32_t>,
               Field<std::int32_t>>
      field;
  std::int64_t value;
};

template <typename T>
constexpr std::size_t EndOf(Field<T> field) {
  return field.offset + sizeof(T);
}

// InRecordOrder - whether each field of the table starts after the last byte
// of the one before: every field named once, none overlapping another.
constexpr bool InRecordOrder(std::span<const FieldDefault> defaults) {
  std::size_t end = 0;
  for (const FieldDefault& d : defaults) {
    if (std::visit([](auto field) { return field.offset; }, d.field) < end) return false;
    end = std::visit([](auto field) { return EndOf(field); }, d.field);
  }
  return true;
}

// WriteDefaults - each default through its field's own little-endian
// accessor; the bytes of no field are left as they were.
inline void WriteDefaults(const FieldView& view, std::span<const FieldDefault> defaults) {
  for (const FieldDefault& d : defaults)
    std::visit(
        [&](auto field) {
          using Value = decltype(view.Get(field));
          view.Set(field, static_cast<Value>(d.value));
        },
        d.field);
}

}  // namespace ovrabjt

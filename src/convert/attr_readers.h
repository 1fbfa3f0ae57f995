// Readers: look up one attribute by exact name and occurrence in one list and
// turn its value into a plain field. Each returns false when the attribute is
// missing, leaving its output untouched; otherwise true, also when the value
// has a syntax the reader does not take (the output then stays untouched
// unless said otherwise).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "attr/attr_node_list.h"
#include "ticket/field.h"

namespace ovrabjt {

// ReadCollection - the member list of a collection or set value. False also
// when the value is not a list: a scalar is never read as one.
bool ReadCollection(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                    const AttrNodeList*& members);
bool ReadCollection(AttrNodeList& list, std::string_view name, std::size_t occurrence,
                    AttrNodeList*& members);

// ReadInteger - an integer or enum value. For a value of any other syntax the
// output is set to `occurrence`.
bool ReadInteger(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                 std::int32_t& out);

// ReadString - the text of a name, keyword, text or mimeMediaType value (not
// uri).
bool ReadString(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                std::string& out);

// ReadTextInto - the text of a name, keyword, text or uri value (not
// mimeMediaType), cut to `max_length` characters and copied with a NUL into
// `destination`, which holds max_length + 1 bytes. The stored value is not
// changed.
bool ReadTextInto(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                  char* destination, std::size_t max_length);
// The same into a text field of a record, cut to the field's maximum length.
bool ReadTextInto(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                  const FieldView& record, TextField field);

// ReadRangeValue - the "lower-bound" and "upper-bound" of the occurrence-th
// "value" collection of a set; each bound stays untouched when missing.
bool ReadRangeValue(const AttrNodeList& list, std::size_t occurrence, std::int32_t& lower,
                    std::int32_t& upper);

// ReadKeyword - the code that `table` gives the named attribute's keyword
// (letter case ignored), into `out`. True only when `out` was set: a
// missing attribute, a text the table lacks or a value without text leave
// it as it was.
template <typename Table, typename Code>
bool ReadKeyword(const AttrNodeList& list, std::string_view name, const Table& table, Code& out) {
  std::string text;
  if (!ReadString(list, name, 0, text)) return false;
  const auto code = table.CodeOf(text);
  if (!code) return false;
  out = *code;
  return true;
}
// The same into a field of a record.
template <typename Table, typename T>
bool ReadKeyword(const AttrNodeList& list, std::string_view name, const Table& table,
                 const FieldView& record, Field<T> field) {
  T code{};
  if (!ReadKeyword(list, name, table, code)) return false;
  record.Set(field, code);
  return true;
}

// ReadOrientation - "orientation-requested" 3 gives 1 (portrait), 4 gives 2
// (landscape); other values leave `out`.
bool ReadOrientation(const AttrNodeList& list, std::uint8_t& out);

// ReadFinishingValue - the ticket finishing code of the first "value" of one
// "finishings" member list. False when "value" is missing or its number has
// no code (output untouched).
bool ReadFinishingValue(const AttrNodeList& members, std::int32_t& out);

}  // namespace ovrabjt

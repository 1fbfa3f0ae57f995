// Builders: each appends one attribute of a given syntax at the end of a list
// (or, where said, none).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "attr/attr_node_list.h"
#include "attr/attr_value.h"

namespace ovrabjt {

// AddCollection - appends an empty collection or set (`syntax` "collection"
// or "1setOf") and returns its member list for filling; the list stays owned
// by the new value.
AttrNodeList& AddCollection(AttrNodeList& list, std::string_view name, std::string_view syntax);

// AttachCollection - appends a list value that takes over `members`.
void AttachCollection(AttrNodeList& list, std::unique_ptr<AttrNodeList> members,
                      std::string_view name, std::string_view syntax);

// AddRange - a "rangeOfInteger" value with the integer members "lower-bound"
// and "upper-bound", in that order.
void AddRange(AttrNodeList& list, std::int32_t lower, std::int32_t upper, std::string_view name);

// AddNumber - the number as decimal text through the value factory, with
// syntax "integer" or "enum".
void AddNumber(AttrNodeList& list, std::int32_t value, std::string_view name,
               std::string_view syntax);

// AddString - a string value of the given syntax; an empty text appends
// nothing and returns false.
bool AddString(AttrNodeList& list, std::string_view text, std::string_view name,
               std::string_view syntax);

// AddName, AddText, AddUri - AddString with that syntax; true also when the
// empty text appended nothing.
bool AddName(AttrNodeList& list, std::string_view text, std::string_view name);
bool AddText(AttrNodeList& list, std::string_view text, std::string_view name);
bool AddUri(AttrNodeList& list, std::string_view text, std::string_view name);

// AddKeyword - the keyword that `table` gives `code`; nothing for a code
// the table lacks.
template <typename Table, typename Code>
void AddKeyword(AttrNodeList& list, const Table& table, Code code, std::string_view name) {
  if (const auto keyword = table.ValueOf(code)) AddString(list, *keyword, name, kKeyword);
}

}  // namespace ovrabjt

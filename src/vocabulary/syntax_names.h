// The words of a value's syntax as documents spell them, and the member
// names of list values: the attribute model writes them, and the vocabulary
// tables name the syntax each of their attributes is written in.
#pragma once

#include <string_view>

namespace ovrabjt {

// The syntax names of values, as an element's "syntax" spells them.
inline constexpr std::string_view kInteger = "integer";
inline constexpr std::string_view kEnum = "enum";
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kKeyword = "keyword";
inline constexpr std::string_view kBoolean = "boolean";
inline constexpr std::string_view kText = "text";
inline constexpr std::string_view kMimeMediaType = "mimeMediaType";
inline constexpr std::string_view kUri = "uri";
inline constexpr std::string_view kNull = "null";
// Those of list values; a list value keeps the one it was given.
inline constexpr std::string_view kCollection = "collection";
inline constexpr std::string_view kSetOf = "1setOf";
inline constexpr std::string_view kRangeOfInteger = "rangeOfInteger";
inline constexpr std::string_view kResolution = "resolution";

// The members of list values: every entry of a set is "value", a range's
// bounds are "lower-bound" and "upper-bound".
inline constexpr std::string_view kSetEntry = "value";
inline constexpr std::string_view kLowerBound = "lower-bound";
inline constexpr std::string_view kUpperBound = "upper-bound";

}  // namespace ovrabjt

// What the conversion makes of the values of the attributes it takes only
// in some forms: an integer, a keyword of one of its tables, a number of a
// table, a range, or anything but only in some releases. The tables are the
// conversion's own.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "releases/release_profile.h"

namespace ovrabjt::cli {

using Words = std::vector<std::string_view>;
using Numbers = std::vector<std::int32_t>;

// What the conversion makes of a value of an attribute.
enum class Expect : std::uint8_t {
  kInteger,    // ReadInteger: anything else reads as the occurrence's index
  kKeyword,    // a keyword of its table; anything else leaves the field
  kNumberSet,  // an integer of its table; anything else leaves the field
  kRange,      // a collection with "lower-bound" and "upper-bound"
  kAnyValue,   // any value; only the releases that read it are checked
};

struct ValueRule {
  std::string_view parent;  // the enclosing attribute; empty: anywhere
  std::string_view name;
  Expect expect;
  Words (*words)(const ReleaseProfile&) = nullptr;      // kKeyword
  Numbers (*numbers)(const ReleaseProfile&) = nullptr;  // kNumberSet
  bool (*read_in)(const ReleaseProfile&) = nullptr;     // null: every release
};

// FindRule - the rule of the attribute `name` inside `parent` (empty at the
// top level); null for an attribute the conversion takes in any form.
const ValueRule* FindRule(std::string_view parent, std::string_view name);

}  // namespace ovrabjt::cli

// Tables that map ticket codes to document values and back. Each mapping is
// one table, read in both directions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

namespace ovrabjt {

// Equality of two texts ignoring the case of ASCII letters only.
constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// Pairs of a ticket code and a document value (a keyword or a number).
// Lookups go through the entries in order; the first match decides.
template <typename Code, typename Value, std::size_t N>
struct CodeTable {
  std::array<std::pair<Code, Value>, N> entries;

  // The value of `code`, or nothing when the table lacks it.
  constexpr std::optional<Value> ValueOf(Code code) const {
    for (const auto& [c, v] : entries)
      if (c == code) return v;
    return std::nullopt;
  }

  // The code of `value`; keywords match without regard to ASCII case.
  constexpr std::optional<Code> CodeOf(Value value) const {
    for (const auto& [c, v] : entries)
      if (Matches(v, value)) return c;
    return std::nullopt;
  }

 private:
  static constexpr bool Matches(std::string_view a, std::string_view b) {
    return EqualsIgnoreAsciiCase(a, b);
  }
  template <typename T>
  static constexpr bool Matches(T a, T b) {
    return a == b;
  }
};

template <typename Code, std::size_t N>
using KeywordTable = CodeTable<Code, std::string_view, N>;

template <typename Code, std::size_t N>
using NumberTable = CodeTable<Code, std::int32_t, N>;

}  // namespace ovrabjt

// Tables that map ticket codes to document values and back. Each mapping is
// one table, read in both directions.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// Matching of document values: keywords without regard to ASCII case,
// numbers exactly.
constexpr bool ValuesMatch(std::string_view a, std::string_view b) {
  return EqualsIgnoreAsciiCase(a, b);
}
constexpr bool ValuesMatch(std::int32_t a, std::int32_t b) { return a == b; }

// A table of pairs of a ticket code and a document value (a keyword or a
// number), seen through a span: release profiles hold views of the table
// their release uses. Lookups go through the entries in order; the first
// match decides. An empty view knows no code and no value.
template <typename Code, typename Value>
struct CodeTableView {
  std::span<const std::pair<Code, Value>> entries;

  // The value of `code`, or nothing when the table lacks it.
  constexpr std::optional<Value> ValueOf(Code code) const {
    for (const auto& [c, v] : entries)
      if (c == code) return v;
    return std::nullopt;
  }

  // The code of `value`; keywords match without regard to ASCII case.
  constexpr std::optional<Code> CodeOf(Value value) const {
    for (const auto& [c, v] : entries)
      if (ValuesMatch(v, value)) return c;
    return std::nullopt;
  }
};

// A table that owns its pairs.
template <typename Code, typename Value, std::size_t N>
struct CodeTable {
  std::array<std::pair<Code, Value>, N> entries;

  constexpr CodeTableView<Code, Value> view() const { return {entries}; }
  constexpr operator CodeTableView<Code, Value>() const { return view(); }
  constexpr std::optional<Value> ValueOf(Code code) const { return view().ValueOf(code); }
  constexpr std::optional<Code> CodeOf(Value value) const { return view().CodeOf(value); }
};

template <typename Code>
using KeywordView = CodeTableView<Code, std::string_view>;

// The first M entries of `table`, with the value of `code` replaced: a
// vocabulary that differs from another in a word.
template <std::size_t M, typename Code, typename Value, std::size_t N>
constexpr CodeTable<Code, Value, M> Reworded(const CodeTable<Code, Value, N>& table, Code code,
                                             Value value) {
  static_assert(M <= N);
  CodeTable<Code, Value, M> out{};
  for (std::size_t i = 0; i < M; ++i) {
    out.entries[i] = table.entries[i];
    if (out.entries[i].first == code) out.entries[i].second = value;
  }
  return out;
}

template <typename Code, std::size_t N>
using KeywordTable = CodeTable<Code, std::string_view, N>;

template <typename Code, std::size_t N>
using NumberTable = CodeTable<Code, std::int32_t, N>;

}  // namespace ovrabjt

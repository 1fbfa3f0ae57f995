// The text of an element or attribute as an attribute value holds it.
#pragma once

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace ovrabjt {

// TrimmedNarrow - the text in the code page, without leading and trailing
// blanks, into `out`. The blanks are ASCII, and no other character becomes
// one in the code page, so the text is trimmed before it is converted.
inline void TrimmedNarrow(std::u16string_view wide, std::string& out) {
  const auto blank = [](char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
  };
  std::size_t begin = 0, end = wide.size();
  while (begin < end && blank(wide[begin])) ++begin;
  while (end > begin && blank(wide[end - 1])) --end;
  Utf16ToCp1252(wide.substr(begin, end - begin), out);
}

}  // namespace ovrabjt

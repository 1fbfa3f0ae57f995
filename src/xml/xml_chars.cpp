#include "xml/xml_chars.h"

namespace ovrabjt {
namespace {

constexpr bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }
constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::size_t XmlCharLength(std::u16string_view text, std::size_t pos) {
  const char16_t c = text[pos];
  if (c >= 0x20 && c < 0xD800) return 1;  // nearly every character
  if (IsHighSurrogate(c) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1])) return 2;
  if (IsSurrogate(c) || c == 0xFFFE || c == 0xFFFF) return 0;
  if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') return 0;
  return 1;
}

std::u16string_view XmlSafe(std::u16string_view text, std::u16string& scratch) {
  std::size_t pos = 0;
  for (std::size_t length; pos < text.size() && (length = XmlCharLength(text, pos)) != 0;)
    pos += length;
  if (pos == text.size()) return text;
  scratch.assign(text.substr(0, pos));
  while (pos < text.size()) {
    const std::size_t length = XmlCharLength(text, pos);
    if (length == 0) {
      scratch.push_back(u'?');
      ++pos;
    } else {
      scratch.append(text.substr(pos, length));
      pos += length;
    }
  }
  return scratch;
}

}  // namespace ovrabjt

#include "platform/code_page.h"

#include <array>
#include <cstdint>

namespace ovrabjt {
namespace {

// The characters of bytes 0x80 to 0x9F; every other byte is the code point of
// its own value. The undefined five keep their own value so that they survive.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char16_t kReplacement = 0xFFFD;

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char Cp1252ByteFor(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Number of bytes a UTF-8 sequence with this lead byte has, 0 for a byte that
// cannot lead (a continuation byte, 0xC0, 0xC1, 0xF5 and up).
int SequenceLength(std::uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The smallest code point each length may carry; below it the form is
// overlong.
constexpr std::array<char32_t, 5> kMinimumForLength = {0, 0, 0x80, 0x800, 0x10000};

// Decodes the sequence at `pos`; on success advances `pos` past it, otherwise
// advances by one byte and gives U+FFFD.
char32_t DecodeOne(std::string_view bytes, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(bytes[pos]);
  const int length = SequenceLength(lead);
  if (length == 0 || pos + static_cast<std::size_t>(length) > bytes.size()) {
    ++pos;
    return kReplacement;
  }
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<std::uint8_t>(bytes[pos + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kReplacement;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < kMinimumForLength[static_cast<std::size_t>(length)] || value > 0x10FFFF ||
      (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += static_cast<std::size_t>(length);
  return value;
}

void AppendUtf16(std::u16string& out, char32_t value) {
  if (value < 0x10000) {
    out.push_back(static_cast<char16_t>(value));
    return;
  }
  value -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
}

void AppendUtf8(std::string& out, char32_t value) {
  if (value < 0x80) {
    out.push_back(static_cast<char>(value));
  } else if (value < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (value >> 6)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (value >> 12)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (value >> 18)));
    out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  }
}

// Reads the character at `pos` of UTF-16 text and advances past it; an
// unpaired surrogate gives U+FFFD.
char32_t NextCodePoint(std::u16string_view text, std::size_t& pos) {
  const char16_t c = text[pos++];
  if (IsHighSurrogate(c) && pos < text.size() && IsLowSurrogate(text[pos])) {
    const char16_t low = text[pos++];
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (low - 0xDC00);
  }
  if (IsHighSurrogate(c) || IsLowSurrogate(c)) return kReplacement;
  return c;
}

}  // namespace

std::u16string Cp1252ToUtf16(std::string_view text) {
  std::u16string out;
  Cp1252ToUtf16(text, out);
  return out;
}

void Cp1252ToUtf16(std::string_view text, std::u16string& out) {
  out.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(text[i]);
    out[i] = byte >= 0x80 && byte <= 0x9F ? kCp1252High[byte - 0x80u] : char16_t{byte};
  }
}

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string out;
  Utf16ToCp1252(text, out);
  return out;
}

// Never more bytes than units: the text is written in place and cut after.
void Utf16ToCp1252(std::u16string_view text, std::string& out) {
  out.resize(text.size());
  char* const begin = out.data();
  char* p = begin;
  for (std::size_t pos = 0; pos < text.size();) {
    if (text[pos] < 0x80) {
      *p++ = static_cast<char>(text[pos++]);
      continue;
    }
    const char32_t value = NextCodePoint(text, pos);
    *p++ =
        value > 0xFFFF || value == kReplacement ? '?' : Cp1252ByteFor(static_cast<char16_t>(value));
  }
  out.resize(static_cast<std::size_t>(p - begin));
}

std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) AppendUtf16(out, DecodeOne(bytes, pos));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) AppendUtf8(out, NextCodePoint(text, pos));
  return out;
}

}  // namespace ovrabjt

// The bytes the library's formatter writes for each byte of the code page
// in a UTF-8 document, in each escaping, taken once from the formatter
// itself. The writer appends a narrow text through this table instead of
// widening it and handing it to the formatter piece by piece, which costs
// several calls per character; the bytes are the formatter's own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <xercesc/framework/XMLFormatter.hpp>

namespace ovrabjt {

class Utf8Escapes {
 public:
  // Get - the table, made on first use; the XML library must be running.
  // Raises what the formatter raises while it is made.
  static const Utf8Escapes& Get();

  // Append - `text` up to its first NUL (where the document's text of it
  // ends), as the formatter writes it with `escapes`, after every character
  // that XML cannot carry has become '?'.
  void Append(std::string_view text, xercesc::XMLFormatter::EscapeFlags escapes,
              std::string& out) const;

 private:
  Utf8Escapes();

  // "&quot;" is the longest: no byte's character takes more than three
  // bytes in UTF-8, and controls are replaced before they are escaped.
  struct Bytes {
    std::uint8_t size = 0;
    std::array<char, 7> text{};
  };
  static constexpr std::size_t kEscapings = xercesc::XMLFormatter::EscapeFlags_Count;
  std::array<std::array<Bytes, 256>, kEscapings> bytes_;
};

}  // namespace ovrabjt

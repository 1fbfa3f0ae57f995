#include "xml/utf8_escapes.h"

#include <algorithm>
#include <stdexcept>

#include "platform/code_page.h"
#include "xml/xml_chars.h"

namespace ovrabjt {
namespace {

using xercesc::XMLFormatter;

// Keeps what the formatter writes.
class Capture final : public xercesc::XMLFormatTarget {
 public:
  void writeChars(const XMLByte* bytes, XMLSize_t count, XMLFormatter*) override {
    text.append(reinterpret_cast<const char*>(bytes), count);
  }
  std::string text;
};

}  // namespace

const Utf8Escapes& Utf8Escapes::Get() {
  static const Utf8Escapes table;
  return table;
}

// Each character on its own: in UTF-8 every character of the code page can
// be written, and the formatter escapes character by character, so a text
// is written as its characters are.
Utf8Escapes::Utf8Escapes() {
  Capture capture;
  XMLFormatter formatter(u"UTF-8", &capture, XMLFormatter::NoEscapes, XMLFormatter::UnRep_CharRef);
  for (std::size_t escaping = 0; escaping < kEscapings; ++escaping) {
    const auto flags = static_cast<XMLFormatter::EscapeFlags>(escaping);
    for (unsigned byte = 1; byte < 256; ++byte) {
      const std::u16string wide = Cp1252ToUtf16(std::string(1, static_cast<char>(byte)));
      std::u16string scratch;
      const std::u16string_view safe = XmlSafe(wide, scratch);
      capture.text.clear();
      formatter.formatBuf(safe.data(), safe.size(), flags, XMLFormatter::UnRep_CharRef);
      Bytes& entry = bytes_[escaping][byte];
      if (capture.text.size() > entry.text.size()) throw std::length_error("formatted byte");
      entry.size = static_cast<std::uint8_t>(capture.text.size());
      capture.text.copy(entry.text.data(), entry.text.size());
    }
  }
}

// Runs of bytes that stand for themselves are copied at once.
void Utf8Escapes::Append(std::string_view text, XMLFormatter::EscapeFlags escapes,
                         std::string& out) const {
  const auto& table = bytes_[static_cast<std::size_t>(escapes)];
  const std::size_t end = std::min(text.find('\0'), text.size());
  std::size_t run = 0;
  for (std::size_t i = 0; i < end; ++i) {
    const Bytes& entry = table[static_cast<unsigned char>(text[i])];
    if (entry.size == 1 && entry.text[0] == text[i]) continue;
    out.append(text.data() + run, i - run);
    out.append(entry.text.data(), entry.size);
    run = i + 1;
  }
  out.append(text.data() + run, end - run);
}

}  // namespace ovrabjt

// The characters XML 1.0 can carry, and texts made safe for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ovrabjt {

// XmlCharLength - the length in units of the character at `pos` (2 for a
// surrogate pair), 0 when XML 1.0 cannot carry it.
std::size_t XmlCharLength(std::u16string_view text, std::size_t pos);

// XmlSafe - the text with every character that XML 1.0 cannot carry (C0
// controls other than tab, line feed and carriage return, unpaired
// surrogates, U+FFFE and U+FFFF) replaced by '?': a document holding one
// could never be read back. Copies into `scratch` only when something is
// replaced.
std::u16string_view XmlSafe(std::u16string_view text, std::u16string& scratch);

}  // namespace ovrabjt

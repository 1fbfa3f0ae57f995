// Text conversions between the module's narrow texts and the XML library's
// UTF-16. Ticket texts, attribute names and values are single-byte
// Windows-1252, the code page the ticket is written in; paths are bytes that
// are read as UTF-8 when they name a document. The module's own tables do the
// work, never the process locale, so the results are the same everywhere.
#pragma once

#include <string>
#include <string_view>

namespace ovrabjt {

// Cp1252ToUtf16 - one UTF-16 unit per byte. The five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the code points of the
// same value, so every byte has a character and comes back unchanged.
std::u16string Cp1252ToUtf16(std::string_view text);
// The same into `out`, whose storage is reused.
void Cp1252ToUtf16(std::string_view text, std::u16string& out);

// Utf16ToCp1252 - one byte per character. A character without a Windows-1252
// byte becomes '?': one '?' for a surrogate pair, one for an unpaired
// surrogate.
std::string Utf16ToCp1252(std::u16string_view text);
// The same into `out`, whose storage is reused.
void Utf16ToCp1252(std::u16string_view text, std::string& out);

// Utf8ToUtf16 - decodes UTF-8. Each malformed sequence (a stray or truncated
// byte, an overlong form, a surrogate or a value past U+10FFFF) becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);

// Utf16ToUtf8 - encodes to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace ovrabjt

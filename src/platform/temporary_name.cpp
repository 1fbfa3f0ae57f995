#include "platform/temporary_name.h"

#include <algorithm>

namespace ovrabjt {
namespace {

constexpr std::string_view kMark = ".ovrabjt-";
constexpr std::string_view kEnd = ".tmp";
constexpr std::size_t kHexDigits = 16;
// What a name adds to the kept part of the target's name.
constexpr std::size_t kAdded = 1 + kMark.size() + kHexDigits + kEnd.size();
constexpr std::size_t kMaxKept = kMaxFileNameBytes - kAdded;

std::string Hex(std::uint64_t value) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string text(kHexDigits, '0');
  for (std::size_t i = kHexDigits; i-- > 0; value >>= 4) text[i] = kDigits[value & 0xF];
  return text;
}

// 64-bit FNV-1a: any fixed hash of the whole name serves.
std::uint64_t HashOf(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ull;
  return hash;
}

// "." and the part of the target's name that a temporary name carries, and
// the mark. (Appended piece by piece: g++ 12 warns of overlapping copies in
// chains of operator+ in optimised builds.)
std::string PrefixOf(std::string_view target_name) {
  std::string prefix(1, '.');
  if (target_name.size() <= kMaxKept) {
    prefix += target_name;
  } else {
    std::size_t cut = kMaxKept - 1 - kHexDigits;
    while (cut > 0 && (static_cast<unsigned char>(target_name[cut]) & 0xC0) == 0x80) --cut;
    prefix += target_name.substr(0, cut);
    prefix += '~';
    prefix += Hex(HashOf(target_name));
  }
  prefix += kMark;
  return prefix;
}

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::string TemporaryName(std::string_view target_name, std::uint64_t unique) {
  std::string name = PrefixOf(target_name);
  name += Hex(unique);
  name += kEnd;
  return name;
}

bool IsTemporaryName(std::string_view entry, std::string_view target_name) {
  const std::string prefix = PrefixOf(target_name);
  if (entry.size() != prefix.size() + kHexDigits + kEnd.size()) return false;
  if (!entry.starts_with(prefix) || !entry.ends_with(kEnd)) return false;
  const std::string_view digits = entry.substr(prefix.size(), kHexDigits);
  return std::all_of(digits.begin(), digits.end(), IsLowerHex);
}

}  // namespace ovrabjt

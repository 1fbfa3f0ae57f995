#include "platform/temporary_name.h"

#include <gtest/gtest.h>

#include <string>

namespace ovrabjt {
namespace {

constexpr std::uint64_t kUnique = 0x0123456789abcdefull;

TEST(TemporaryNameTest, NameIsTheTargetsWithTheMarkAndAUniquePart) {
  EXPECT_EQ(TemporaryName("ticket.xml", kUnique), ".ticket.xml.ovrabjt-0123456789abcdef.tmp");
  EXPECT_EQ(TemporaryName("ticket.xml", 0), ".ticket.xml.ovrabjt-0000000000000000.tmp");
  EXPECT_EQ(TemporaryName(".hidden", 0xF), "..hidden.ovrabjt-000000000000000f.tmp");
}

// Every target name a file system allows gives a temporary name it allows:
// a long one keeps its first bytes, whole characters only, and a hash of
// the whole name, so that two long names with the same beginning differ.
TEST(TemporaryNameTest, NamesOfLongTargetsStayWithinTheLimit) {
  const std::string euro = "\xE2\x82\xAC";  // three bytes in UTF-8
  std::string euros;
  while (euros.size() + euro.size() <= kMaxFileNameBytes) euros += euro;
  const struct {
    const char* what;
    std::string target;
    std::size_t kept;  // bytes of the target's name kept before "~" (all: the whole name)
  } cases[] = {
      {"225 bytes, kept whole", std::string(225, 'a'), 225},
      {"226 bytes", std::string(226, 'a'), 208},
      {"255 bytes", std::string(255, 'a'), 208},
      {"255 bytes of three-byte characters", euros, 207},
      {"a two-byte character across the cut",
       std::string(207, 'a') + "\xC3\xA9" + std::string(30, 'b'), 207},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string name = TemporaryName(c.target, kUnique);
    EXPECT_LE(name.size(), kMaxFileNameBytes);
    EXPECT_EQ(name.substr(1, c.kept), c.target.substr(0, c.kept));
    if (c.kept < c.target.size()) {
      EXPECT_EQ(name[1 + c.kept], '~');
      EXPECT_EQ(name.size(), kMaxFileNameBytes - (208 - c.kept));
    }
    EXPECT_TRUE(IsTemporaryName(name, c.target));
    std::string other = c.target;
    other.back() = other.back() == 'z' ? 'y' : 'z';
    EXPECT_FALSE(IsTemporaryName(name, other));
  }
}

TEST(TemporaryNameTest, OnlyNamesOfThePatternForTheTargetAreRecognised) {
  const struct {
    const char* what;
    std::string entry;
    bool recognised;
  } cases[] = {
      {"the pattern", ".ticket.xml.ovrabjt-0123456789abcdef.tmp", true},
      {"another unique part", ".ticket.xml.ovrabjt-ffffffffffffffff.tmp", true},
      {"the target itself", "ticket.xml", false},
      {"not hidden", "ticket.xml.ovrabjt-0123456789abcdef.tmp", false},
      {"upper-case digits", ".ticket.xml.ovrabjt-0123456789ABCDEF.tmp", false},
      {"fifteen digits", ".ticket.xml.ovrabjt-0123456789abcde.tmp", false},
      {"seventeen digits", ".ticket.xml.ovrabjt-0123456789abcdef0.tmp", false},
      {"not a digit", ".ticket.xml.ovrabjt-0123456789abcdeg.tmp", false},
      {"something after", ".ticket.xml.ovrabjt-0123456789abcdef.tmp~", false},
      {"another ending", ".ticket.xml.ovrabjt-0123456789abcdef.tmq", false},
      {"another mark", ".ticket.xml.ovrabjX-0123456789abcdef.tmp", false},
      {"a longer target's", ".ticket.xml.bak.ovrabjt-0123456789abcdef.tmp", false},
      {"a shorter target's", ".ticket.ovrabjt-0123456789abcdef.tmp", false},
      {"the target's in another case", ".Ticket.xml.ovrabjt-0123456789abcdef.tmp", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsTemporaryName(c.entry, "ticket.xml"), c.recognised) << c.what;
  }
}

}  // namespace
}  // namespace ovrabjt

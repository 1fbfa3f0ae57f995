// The packed ticket reaches the exports without its length, and its string
// count may claim more strings than the caller's block holds. Blocks placed
// right before a page that cannot be read: the exports read no further than
// the caller's memory allows and refuse a block whose counted strings run
// into such a page.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_hole.h"
#include "support/packed_from_document.h"
#include "support/temp_folder.h"
#include "support/text_output.h"
#include "ticket/layout.h"

namespace {

namespace tf = ovrabjt::ticket_field;
using ovrabjt::test::PackedFromDocument;
using ovrabjt::test::TextOutput;
using ovrabjt::testing::BytesBeforeHole;
using ovrabjt::testing::Hole;
using ovrabjt::testing::TempFolder;
using Packed = std::vector<std::uint8_t>;

const std::string& kBase = ovrabjt::test::kTicketBase;
const std::u16string& kBase16 = ovrabjt::test::kTicketBase16;

ovrabjt::FieldView Fixed(Packed& packed) { return {packed.data(), ovrabjt::kTicketSize}; }

// The example's fixed part alone, with no string referred to and `count`
// strings claimed.
Packed FixedPartClaiming(const Packed& example, std::uint16_t count) {
  Packed packed(example.begin(), example.begin() + ovrabjt::kTicketSize);
  for (const auto ref : ovrabjt::kTicketStringRefs) Fixed(packed).Set(ref, 0);
  Fixed(packed).Set(tf::kPageOverrideCount, 0);
  Fixed(packed).Set(tf::kStringCount, count);
  Fixed(packed).Set(tf::kStringsSize, 0);
  return packed;
}

TEST(PackedBlock, ExportsReadNoFurtherThanTheCallersMemory) {
  const Packed example = PackedFromDocument(ovrabjt::test::kExampleTicket);
  ASSERT_GT(example.size(), ovrabjt::kTicketSize);
  Packed one_more = example;
  Fixed(one_more).Set(tf::kStringCount, Fixed(one_more).Get(tf::kStringCount) + 1);
  Packed unterminated = example;
  unterminated.resize(example.size() - 1);  // without the last text's NUL
  Packed cut = example;
  cut.resize(ovrabjt::kTicketSize - 4);
  const struct {
    const char* what;
    Packed block;
    bool converts;
  } cases[] = {
      {"the example, its last NUL the last byte", example, true},
      {"the fixed part alone, no strings", FixedPartClaiming(example, 0), true},
      {"the fixed part alone, one string claimed", FixedPartClaiming(example, 1), false},
      {"the fixed part alone, 65535 strings claimed", FixedPartClaiming(example, 65535), false},
      {"the example claiming one string more", one_more, false},
      {"the example without its last NUL", unterminated, false},
      {"a block shorter than the fixed part", cut, false},
  };
  TextOutput reference;
  ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), example.data(), &reference), 1);
  TempFolder folder;
  const std::string target = folder / "ticket.xml";
  for (Hole hole : {Hole::kUnmapped, Hole::kInaccessible}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " before " +
                   std::string(ovrabjt::testing::HoleName(hole)));
      const BytesBeforeHole memory(c.block.data(), c.block.size(), hole);
      TextOutput out;
      EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), memory.data(), &out), c.converts ? 1 : 0);
      if (c.block == example) {
        EXPECT_EQ(out.text, reference.text);
      }
      if (!c.converts) {
        EXPECT_EQ(out.calls, 0);
      }
      EXPECT_EQ(SaveOvra(target.c_str(), kBase.c_str(), memory.data()), c.converts ? 1 : 0);
      EXPECT_EQ(folder.Entries(),
                c.converts ? std::vector<std::string>{"ticket.xml"} : std::vector<std::string>{});
      if (c.block == example) {
        EXPECT_EQ(ovrabjt::testing::ReadFileBytes(target), reference.text);
      }
      std::remove(target.c_str());
      ASSERT_TRUE(memory.HoleIntact());
    }
  }
}

}  // namespace

#include "ticket/packing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/memory_hole.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;

// A packed block with the given string count and the texts behind the fixed
// part, each followed by its NUL.
std::vector<std::uint8_t> Block(std::uint16_t count, const std::vector<std::string>& texts) {
  std::vector<std::uint8_t> block(kTicketSize, 0);
  FieldView(block.data(), block.size()).Set(tf::kStringCount, count);
  for (const auto& t : texts) {
    block.insert(block.end(), t.begin(), t.end());
    block.push_back(0);
  }
  return block;
}

std::vector<std::uint8_t> Pack(const TicketRecord& rec) {
  std::uint32_t size = 0;
  EXPECT_TRUE(PackTicket(nullptr, rec, &size));
  std::vector<std::uint8_t> out(size, 0xEE);
  EXPECT_TRUE(PackTicket(out.data(), rec, nullptr));
  return out;
}

TEST(PackTicket, EmptyTableIsTheFixedPartWithZeroStringsSize) {
  auto rec = TicketRecord::Allocate();
  rec->Set(tf::kCopies, 3);
  std::vector<std::uint8_t> packed = Pack(*rec);
  ASSERT_EQ(packed.size(), kTicketSize);
  EXPECT_EQ(LoadLE<std::uint32_t>(packed.data() + 34364), 0u);
  EXPECT_EQ(std::vector<std::uint8_t>(packed.begin(), packed.end()),
            std::vector<std::uint8_t>(rec->bytes.begin(), rec->bytes.end()));
}

TEST(PackTicket, StringsFollowTheFixedPartInIndexOrder) {
  auto rec = TicketRecord::Allocate();
  WriteTicketString(*rec, tf::kHalftone, "ab");
  WriteTicketString(*rec, tf::kTrcName, "c");
  std::vector<std::uint8_t> packed = Pack(*rec);
  ASSERT_EQ(packed.size(), kTicketSize + 5);
  const std::vector<std::uint8_t> tail(packed.begin() + kTicketSize, packed.end());
  EXPECT_EQ(tail, (std::vector<std::uint8_t>{'a', 'b', 0, 'c', 0}));
  EXPECT_EQ(std::vector<std::uint8_t>(packed.begin() + 34364, packed.begin() + 34368),
            (std::vector<std::uint8_t>{5, 0, 0, 0}));
  EXPECT_EQ(packed[58], 2);
  EXPECT_EQ(packed[100], 1);  // halftone reference
  EXPECT_EQ(packed[96], 2);   // trc-name reference
}

TEST(PackTicket, FailsWhenTheCountDisagreesWithTheTable) {
  auto rec = TicketRecord::Allocate();
  WriteTicketString(*rec, tf::kTrcName, "a");
  WriteTicketString(*rec, tf::kHalftone, "b");
  rec->Set(tf::kStringCount, 3);
  std::uint32_t size = 12345;
  EXPECT_FALSE(PackTicket(nullptr, *rec, &size));
  EXPECT_EQ(size, 12345u);
  std::vector<std::uint8_t> out(kTicketSize + 4, 0xEE);
  EXPECT_FALSE(PackTicket(out.data(), *rec, &size));
  EXPECT_EQ(LoadLE<std::uint32_t>(out.data() + 34364), 0u);  // not S
  EXPECT_EQ(out[kTicketSize], 'a');                          // the strings were copied
}

TEST(UnpackTicket, RoundTripIsByteExact) {
  auto rec = TicketRecord::Allocate();
  rec->Set(tf::kCopies, 7);
  WriteTicketString(*rec, tf::kTrcName, "curve");
  WriteTicketString(*rec, tf::kHalftone, std::string(1000, 'h'));
  WriteTicketString(*rec, tf::kColorEmulationName, "Swop");
  const std::vector<std::uint8_t> packed = Pack(*rec);

  auto back = TicketRecord::Allocate();
  ASSERT_TRUE(UnpackTicket(*back, packed.data()));
  EXPECT_EQ(back->Get(tf::kStringsSize), 0u);  // the list is held outside
  EXPECT_EQ(back->strings.size(), 3u);
  EXPECT_EQ(Pack(*back), packed);
  auto bounded = TicketRecord::Allocate();
  ASSERT_TRUE(UnpackTicket(*bounded, packed.data(), packed.size()));
  EXPECT_EQ(Pack(*bounded), packed);
}

TEST(UnpackTicket, StringTableContents) {
  struct Case {
    const char* what;
    std::uint16_t count;
    std::vector<std::string> texts;
    bool ok;
    std::size_t kept;
  };
  const Case cases[] = {
      {"no strings", 0, {"ignored"}, true, 0},
      {"distinct", 2, {"a", "b"}, true, 2},
      {"letter case differs", 2, {"Abc", "abc"}, true, 2},
      {"repeated", 3, {"a", "b", "a"}, false, 2},
      {"empty text", 1, {""}, true, 1},
      {"1000 characters", 1, {std::string(1000, 'x')}, true, 1},
      {"no NUL within 1001 bytes", 1, {std::string(1001, 'x')}, false, 0},
  };
  for (const Case& c : cases) {
    auto rec = TicketRecord::Allocate();
    std::vector<std::uint8_t> block = Block(c.count, c.texts);
    EXPECT_EQ(UnpackTicket(*rec, block.data()), c.ok) << c.what;
    EXPECT_EQ(rec->strings.size(), c.kept) << c.what;
    auto bounded = TicketRecord::Allocate();
    EXPECT_EQ(UnpackTicket(*bounded, block.data(), block.size()), c.ok) << c.what;
  }
}

TEST(UnpackTicket, BoundedVariantStopsAtTheBlockEnd) {
  std::vector<std::uint8_t> block = Block(2, {"abc", "de"});
  auto rec = TicketRecord::Allocate();
  EXPECT_TRUE(UnpackTicket(*rec, block.data(), block.size()));
  EXPECT_FALSE(UnpackTicket(*rec, block.data(), block.size() - 1));  // last NUL cut off
  EXPECT_FALSE(UnpackTicket(*rec, block.data(), kTicketSize + 3));   // inside the first text
  EXPECT_FALSE(UnpackTicket(*rec, block.data(), kTicketSize - 1));
  EXPECT_FALSE(UnpackTicket(*rec, nullptr, block.size()));
  // More strings announced than the block holds.
  block = Block(3, {"abc", "de"});
  EXPECT_FALSE(UnpackTicket(*rec, block.data(), block.size()));
  EXPECT_EQ(rec->strings.size(), 2u);
}

// Without a length the block is read only as far as the caller's memory can
// be read: a string count that claims more than the block holds ends at the
// first page that cannot be read, and the block is refused.
TEST(UnpackTicket, BlockOfUnknownLengthIsRefusedAtAPageThatCannotBeRead) {
  std::vector<std::string> many;
  for (int i = 0; i < 300; ++i) many.push_back(std::to_string(i) + std::string(900, 'm'));
  std::vector<std::uint8_t> unterminated = Block(1, {});
  unterminated.insert(unterminated.end(), {'a', 'b', 'c'});
  std::vector<std::uint8_t> cut = Block(0, {});
  cut.pop_back();
  const struct {
    const char* what;
    std::vector<std::uint8_t> block;
    bool ok;
    std::size_t kept;
  } cases[] = {
      {"no strings counted, only the fixed part", Block(0, {}), true, 0},
      {"the last NUL is the last byte", Block(2, {"abc", "de"}), true, 2},
      {"a text of 1000 characters ends at the hole", Block(1, {std::string(1000, 'x')}), true, 1},
      {"300 texts over 66 pages", Block(300, many), true, 300},
      {"one string counted, none present", Block(1, {}), false, 0},
      {"three counted, two present", Block(3, {"abc", "de"}), false, 2},
      {"301 counted, 300 present", Block(301, many), false, 300},
      {"a text runs into the hole", unterminated, false, 0},
      {"the fixed part is cut short", cut, false, 0},
  };
  for (testing::Hole hole : {testing::Hole::kUnmapped, testing::Hole::kInaccessible}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " before " + std::string(testing::HoleName(hole)));
      const testing::BytesBeforeHole memory(c.block.data(), c.block.size(), hole);
      auto rec = TicketRecord::Allocate();
      EXPECT_EQ(UnpackTicket(*rec, memory.data()), c.ok);
      EXPECT_EQ(rec->strings.size(), c.kept);
      if (c.ok) {
        std::vector<std::uint8_t> expected = c.block;
        StoreLE<std::uint32_t>(expected.data() + 34364,
                               static_cast<std::uint32_t>(c.block.size() - kTicketSize));
        EXPECT_EQ(Pack(*rec), expected);
      }
      ASSERT_TRUE(memory.HoleIntact());
    }
  }
}

TEST(UnpackTicket, ReplacesWhatTheRecordHeld) {
  auto rec = TicketRecord::Allocate();
  WriteTicketString(*rec, tf::kTrcName, "old");
  std::vector<std::uint8_t> block = Block(1, {"new"});
  ASSERT_TRUE(UnpackTicket(*rec, block.data(), block.size()));
  ASSERT_EQ(rec->strings.size(), 1u);
  EXPECT_EQ(rec->strings.at(0), "new");
}

}  // namespace
}  // namespace ovrabjt

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "convert/media/media_id.h"
#include "convert/media/media_record.h"

namespace ovrabjt {
namespace {

TEST(InitMediaRecord, WritesTheDefaultBytesOverAnyContent) {
  MediaBytes bytes;
  bytes.fill(0xAB);
  InitMediaRecord(MediaView(bytes));
  MediaBytes want{};
  want[1] = 0x02;  // size code 512, little-endian
  want[6] = 4;     // grain not given
  want[8] = 8;     // tooth not given
  want[10] = 1;    // front coating not given
  want[12] = 1;    // back coating not given
  want[14] = 128;  // colour not given
  want[16] = 32;   // type not given
  want[25] = 1;    // weight not given
  want[26] = 8;
  want[27] = 2;  // order count of a named type not given
  want[28] = 5;
  want[30] = 1;
  want[31] = 1;  // 0 holes
  EXPECT_EQ(bytes, want);
}

TEST(MediaId, SingleBitsBelowNoMediaNameSlots) {
  const struct {
    std::uint32_t id;
    std::optional<std::size_t> slot;
  } cases[] = {
      {0, 0},        {1, 1},  {2, 2},  {4, 3},         {0x20000, 18},    {0x40000, 19},
      {0x80000, {}}, {3, {}}, {6, {}}, {0x100000, {}}, {0x80000000, {}}, {0xFFFFFFFF, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(MediaSlotOf(c.id), c.slot) << std::hex << c.id;
}

TEST(MediaId, EverySlotRoundTripsThroughItsIdentifier) {
  std::uint32_t previous = 0;
  for (std::size_t slot = 0; slot < kMediaSlots; ++slot) {
    const std::uint32_t id = MediaIdOf(slot);
    EXPECT_EQ(MediaSlotOf(id), slot);
    if (slot > 1) {
      EXPECT_EQ(id, previous * 2);
    }
    previous = id;
  }
  EXPECT_EQ(MediaIdOf(1), 1u);
  EXPECT_EQ(MediaIdOf(19), 0x40000u);
}

}  // namespace
}  // namespace ovrabjt

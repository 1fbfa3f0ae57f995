#include "convert/media/media_size.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "media_test_util.h"
#include "ticket/layout.h"

namespace ovrabjt {
namespace {

using namespace media_test;

TEST(ReadMediaSize, RecognisesSwapsAndFallsBackToCustom) {
  constexpr int kMissing = -1;
  const struct {
    int x, y;
    std::uint16_t short_edge, long_edge;
    std::uint32_t code;
    bool result;
  } cases[] = {
      {42000, 29700, 297, 420, 128, true},  // swapped into order
      {27900, 43200, 279, 432, 8, true},
      {21590, 27940, 215, 279, 256, true},  // cut to whole millimetres: custom
      {21000, 30000, 210, 300, 512, true},  // standard short edge, other long edge
      {21600, 27900, 216, 279, 1, true},
      {35600, 21600, 216, 356, 2, true},
      {21600, 33000, 216, 330, 32, true},
      {21600, 30000, 216, 300, 512, true},
      {22300, 29700, 223, 297, 64, true},
      {35300, 50000, 353, 500, 0x4000, true},
      {10500, 24100, 105, 241, 256, true},  // envelope sizes are never read
      {11000, 22000, 110, 220, 256, true},
      {50000, 60000, 500, 600, 256, true},
      {21000, kMissing, 0, 210, 256, false},  // a missing dimension counts as 0
      {99, 29700, 0, 297, 256, false},        // under a millimetre
      {kMissing, kMissing, 0, 0, 256, false},
  };
  for (const auto& c : cases) {
    AttrNodeList members;
    PutSize(members, c.x, c.y);
    MediaBytes bytes;
    InitMediaRecord(MediaView(bytes));
    const FieldView record = MediaView(bytes);
    EXPECT_EQ(ReadMediaSize(members, record), c.result) << c.x << "x" << c.y;
    EXPECT_EQ(record.Get(media_field::kShortEdge), c.short_edge) << c.x << "x" << c.y;
    EXPECT_EQ(record.Get(media_field::kLongEdge), c.long_edge) << c.x << "x" << c.y;
    EXPECT_EQ(record.Get(media_field::kSizeCode), c.code) << c.x << "x" << c.y;
  }
}

TEST(ReadMediaSize, StandardShortEdgeWithOtherLongEdgeKeepsTheCode) {
  AttrNodeList members;
  PutSize(members, 21000, 30000);
  MediaBytes bytes;
  InitMediaRecord(MediaView(bytes));
  MediaView(bytes).Set(media_field::kSizeCode, 8);
  EXPECT_TRUE(ReadMediaSize(members, MediaView(bytes)));
  EXPECT_EQ(MediaView(bytes).Get(media_field::kSizeCode), 8u);
}

TEST(ReadMediaSize, WithoutACollectionLeavesTheRecord) {
  AttrNodeList members;
  Put(members, "media-size", "keyword", "iso_a4_210x297mm");
  MediaBytes bytes;
  bytes.fill(0x5A);
  const MediaBytes before = bytes;
  EXPECT_FALSE(ReadMediaSize(members, MediaView(bytes)));
  EXPECT_EQ(bytes, before);
  AttrNodeList empty;
  EXPECT_FALSE(ReadMediaSize(empty, MediaView(bytes)));
  EXPECT_EQ(bytes, before);
}

TEST(StandardMediaSize, GivesEveryCodeOfTheTableShorterFirst) {
  const struct {
    std::uint32_t code;
    std::int32_t x, y;
  } sizes[] = {
      {1, 21600, 27900},      {2, 21600, 35600},      {4, 22900, 27900},       {8, 27900, 43200},
      {16, 21000, 29700},     {32, 21600, 33000},     {64, 22300, 29700},      {128, 29700, 42000},
      {1024, 25000, 35300},   {2048, 25700, 36400},   {4096, 30500, 45700},    {8192, 32000, 45000},
      {0x4000, 35300, 50000}, {0x8000, 10500, 24100}, {0x10000, 11000, 22000},
  };
  for (const auto& s : sizes) {
    std::int32_t x = -1, y = -1;
    EXPECT_TRUE(StandardMediaSize(x, y, s.code)) << s.code;
    EXPECT_EQ(x, s.x) << s.code;
    EXPECT_EQ(y, s.y) << s.code;
  }
  for (std::uint32_t code : {0u, 3u, 256u, 512u, 0x20000u}) {
    std::int32_t x = -1, y = -1;
    EXPECT_FALSE(StandardMediaSize(x, y, code)) << code;
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
  }
}

TEST(WriteMediaSize, WritesCustomEdgesInOrderAndSkipsCodesWithoutSize) {
  const struct {
    std::uint32_t code;
    std::uint16_t short_edge, long_edge;
    const char* written;
  } cases[] = {
      {256, 215, 279,
       "media-size (collection):\n  x-dimension (integer) = 21500\n"
       "  y-dimension (integer) = 27900\n"},
      {256, 300, 200,
       "media-size (collection):\n  x-dimension (integer) = 20000\n"
       "  y-dimension (integer) = 30000\n"},
      {0x8000, 0, 0,
       "media-size (collection):\n  x-dimension (integer) = 10500\n"
       "  y-dimension (integer) = 24100\n"},
      {8, 0, 0,
       "media-size (collection):\n  x-dimension (integer) = 27900\n"
       "  y-dimension (integer) = 43200\n"},
      {512, 210, 300, ""},
      {3, 210, 300, ""},
  };
  for (const auto& c : cases) {
    MediaBytes bytes;
    InitMediaRecord(MediaView(bytes));
    MediaView(bytes).Set(media_field::kSizeCode, c.code);
    MediaView(bytes).Set(media_field::kShortEdge, c.short_edge);
    MediaView(bytes).Set(media_field::kLongEdge, c.long_edge);
    AttrNodeList members;
    WriteMediaSize(members, MediaView(bytes));
    EXPECT_EQ(DumpAttrList(members), c.written) << c.code;
  }
}

}  // namespace
}  // namespace ovrabjt

#include "convert/media/media_collection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "media_test_util.h"
#include "ticket/layout.h"

namespace ovrabjt {
namespace {

using namespace media_test;

// Reads the members into a fresh scratch record.
MediaBytes Read(const AttrNodeList& members) {
  MediaBytes bytes;
  bytes.fill(0xEE);
  EXPECT_TRUE(ReadMediaCollection(members, MediaView(bytes)));
  return bytes;
}

TEST(MediaCollection, EveryKeywordMemberRoundTripsInWriteOrder) {
  AttrNodeList members;
  Put(members, "media-description", "name", "Heavy Stock");
  PutSize(members, 21000, 29700);
  PutInt(members, "media-hole-count", 3);
  Put(members, "media-color", "keyword", "goldenrod");
  Put(members, "media-front-coating", "keyword", "glossy");
  Put(members, "media-back-coating", "keyword", "satin");
  Put(members, "media-grain", "keyword", "x-grain");
  Put(members, "media-tooth", "keyword", "coarse");
  Put(members, "media-type", "keyword", "transparency");
  PutInt(members, "media-weight-metric", 120);
  const MediaBytes bytes = Read(members);
  const ConstFieldView record = MediaView(bytes);
  EXPECT_EQ(record.Get(media_field::kSizeCode), 16u);
  EXPECT_EQ(record.Get(media_field::kHoleCode), 2);
  EXPECT_EQ(record.Get(media_field::kColor), 512);
  EXPECT_EQ(record.Get(media_field::kFrontCoating), 8);
  EXPECT_EQ(record.Get(media_field::kBackCoating), 64);
  EXPECT_EQ(record.Get(media_field::kGrain), 2);
  EXPECT_EQ(record.Get(media_field::kTooth), 4);
  EXPECT_EQ(record.Get(media_field::kType), 2);
  EXPECT_EQ(record.Get(media_field::kWeight), 120);
  EXPECT_EQ(record.Get(media_field::kFlags), 0);
  EXPECT_EQ(WrittenMembers(record), DumpAttrList(members));
}

TEST(MediaCollection, KeywordsIgnoreCaseAndUnknownOnesKeepTheDefault) {
  AttrNodeList members;
  Put(members, "media-color", "keyword", "WHITE");
  Put(members, "media-front-coating", "keyword", "Matte");
  Put(members, "media-back-coating", "keyword", "velvet");
  Put(members, "media-grain", "keyword", "z-grain");
  Put(members, "media-tooth", "keyword", "rough");
  Put(members, "Media-Type", "keyword", "stationery");  // names are exact
  const MediaBytes bytes = Read(members);
  const ConstFieldView record = MediaView(bytes);
  EXPECT_EQ(record.Get(media_field::kColor), 1);
  EXPECT_EQ(record.Get(media_field::kFrontCoating), 4);
  EXPECT_EQ(record.Get(media_field::kBackCoating), 1);
  EXPECT_EQ(record.Get(media_field::kGrain), 4);
  EXPECT_EQ(record.Get(media_field::kTooth), 8);
  EXPECT_EQ(record.Get(media_field::kType), 32);
  EXPECT_EQ(WrittenMembers(record),
            "media-color (keyword) = white\n"
            "media-front-coating (keyword) = matte\n");
}

TEST(MediaCollection, NamedColourAndTypeWithOrderCount) {
  AttrNodeList members;
  Put(members, "media-color", "keyword", "Sunset Orange");
  Put(members, "media-type", "keyword", "Recycled Bond");
  PutInt(members, "media-order-count", 5);
  const MediaBytes bytes = Read(members);
  const ConstFieldView record = MediaView(bytes);
  EXPECT_EQ(record.Get(media_field::kColor), 64);
  EXPECT_EQ(record.Text(media_field::kColorName), "Sunset Orange");
  EXPECT_EQ(record.Get(media_field::kType), 16);
  EXPECT_EQ(record.Text(media_field::kTypeName), "Recycled Bond");
  EXPECT_EQ(record.Get(media_field::kTypeCountSet), 1);
  EXPECT_EQ(record.Get(media_field::kTypeCount), 5);
  EXPECT_EQ(record.Get(media_field::kTabCount), 5);
  EXPECT_EQ(WrittenMembers(record),
            "media-color (name) = Sunset Orange\n"
            "media-type (name) = Recycled Bond\n"
            "media-order-count (integer) = 5\n");
}

TEST(MediaCollection, OrderCountsOfTypes) {
  const struct {
    const char* type;
    int count;  // negative: no "media-order-count"
    std::uint8_t type_count_set, type_count, tab_count;
    const char* written_type;
  } cases[] = {
      {"Bond", 1, 2, 5, 1, "media-type (name) = Bond\n"},
      {"Bond", 0x102, 1, 2, 2, "media-type (name) = Bond\nmedia-order-count (integer) = 2\n"},
      {"Bond", -1, 2, 5, 0, "media-type (name) = Bond\n"},
      {"pre-cut-tabs", -1, 2, 5, 0,
       "media-type (keyword) = pre-cut-tabs\nmedia-order-count (integer) = 0\n"},
      {"PRE-CUT-TABS", 7, 2, 5, 7,
       "media-type (keyword) = pre-cut-tabs\nmedia-order-count (integer) = 7\n"},
      {"full-cut-tabs", 7, 2, 5, 7, "media-type (keyword) = full-cut-tabs\n"},
  };
  for (const auto& c : cases) {
    AttrNodeList members;
    Put(members, "media-type", "keyword", c.type);
    if (c.count >= 0) PutInt(members, "media-order-count", c.count);
    const MediaBytes bytes = Read(members);
    const ConstFieldView record = MediaView(bytes);
    EXPECT_EQ(record.Get(media_field::kTypeCountSet), c.type_count_set) << c.type << c.count;
    EXPECT_EQ(record.Get(media_field::kTypeCount), c.type_count) << c.type << c.count;
    EXPECT_EQ(record.Get(media_field::kTabCount), c.tab_count) << c.type << c.count;
    EXPECT_EQ(WrittenMembers(record), c.written_type) << c.type << c.count;
  }
}

TEST(MediaCollection, LongTextsAreCutToTheirArrays) {
  AttrNodeList members;
  Put(members, "media-description", "text", std::string(300, 'd'));
  Put(members, "media-color", "name", std::string(40, 'c'));
  Put(members, "media-type", "name", std::string(40, 't'));
  MediaBytes bytes = Read(members);
  const ConstFieldView record = MediaView(bytes);
  EXPECT_EQ(record.Text(media_field::kDescription), std::string(255, 'd'));
  EXPECT_EQ(record.Text(media_field::kColorName), std::string(30, 'c'));
  EXPECT_EQ(record.Text(media_field::kTypeName), std::string(29, 't'));
  EXPECT_EQ(bytes[media_field::kTypeName.offset + media_field::kMaxTypeName], 0);
  EXPECT_EQ(WrittenMembers(record), "media-description (name) = " + std::string(255, 'd') +
                                        "\nmedia-color (name) = " + std::string(30, 'c') +
                                        "\nmedia-type (name) = " + std::string(29, 't') + "\n");
}

TEST(MediaCollection, HoleCounts) {
  const struct {
    const char* syntax;  // null: no "media-hole-count"
    const char* value;
    std::uint8_t code;
    const char* written;
  } cases[] = {
      {nullptr, "", 4, ""},
      {"integer", "0", 1, "media-hole-count (integer) = 0\n"},
      {"integer", "3", 2, "media-hole-count (integer) = 3\n"},
      {"integer", "2", 4, ""},
      {"integer", "-3", 4, ""},
      {"keyword", "three", 1, "media-hole-count (integer) = 0\n"},  // reads as 0
  };
  for (const auto& c : cases) {
    AttrNodeList members;
    if (c.syntax) Put(members, "media-hole-count", c.syntax, c.value);
    const MediaBytes bytes = Read(members);
    EXPECT_EQ(MediaView(bytes).Get(media_field::kHoleCode), c.code) << c.value;
    EXPECT_EQ(WrittenMembers(MediaView(bytes)), c.written) << c.value;
  }
}

TEST(MediaCollection, PrePrintedOnlyWithoutAType) {
  const struct {
    const char* type;  // null: no "media-type"
    const char* pre_printed;
    std::int16_t code;
  } cases[] = {
      {nullptr, "pre-printed", 128},
      {nullptr, "Pre-Printed", 128},
      {nullptr, "blank", 32},
      {"stationery", "pre-printed", 1},
  };
  for (const auto& c : cases) {
    AttrNodeList members;
    PutInt(members, "media-hole-count", 3);
    if (c.type) Put(members, "media-type", "keyword", c.type);
    Put(members, "media-pre-printed", "keyword", c.pre_printed);
    const MediaBytes bytes = Read(members);
    EXPECT_EQ(MediaView(bytes).Get(media_field::kType), c.code) << c.pre_printed;
  }
  AttrNodeList members;
  Put(members, "media-pre-printed", "keyword", "pre-printed");
  const MediaBytes bytes = Read(members);
  EXPECT_EQ(WrittenMembers(MediaView(bytes)), "media-pre-printed (keyword) = pre-printed\n");
}

TEST(MediaCollection, WeightKeepsItsLowSixteenBits) {
  AttrNodeList members;
  PutInt(members, "media-weight-metric", 0x10000 + 80);
  const MediaBytes bytes = Read(members);
  EXPECT_EQ(MediaView(bytes).Get(media_field::kWeight), 80);
  EXPECT_EQ(MediaView(bytes).Get(media_field::kFlags), 0);
  EXPECT_EQ(WrittenMembers(MediaView(bytes)), "media-weight-metric (integer) = 80\n");
}

TEST(MediaCollection, NothingGivenReadsAsAnUntouchedRecordExceptTheHoles) {
  AttrNodeList members;
  Put(members, "media-unknown", "keyword", "x");
  const MediaBytes bytes = Read(members);
  MediaBytes fresh;
  InitMediaRecord(MediaView(fresh));
  MediaView(fresh).Set(media_field::kHoleCode, 4);
  EXPECT_EQ(bytes, fresh);
  EXPECT_EQ(WrittenMembers(MediaView(bytes)), "");
}

}  // namespace
}  // namespace ovrabjt

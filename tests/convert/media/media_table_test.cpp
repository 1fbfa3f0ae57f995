#include "convert/media/media_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "convert/media/media_id.h"
#include "media_test_util.h"
#include "ticket/layout.h"

namespace ovrabjt {
namespace {

using namespace media_test;

// A job list holding one "media-col" with the given members.
struct MediaColList {
  AttrNodeList list;
  AttrNodeList& members = AddCollection(list, "media-col", kCollection);
};

std::string WrittenMediaCol(const TicketRecord& ticket, std::uint32_t id) {
  AttrNodeList list;
  WriteMediaCol(list, ticket, id);
  return DumpAttrList(list);
}

std::uint32_t ReadColour(TicketRecord& ticket, std::string_view colour) {
  MediaColList job;
  Put(job.members, "media-color", "keyword", colour);
  std::uint32_t id = 0xDEAD;
  EXPECT_TRUE(ReadMediaCol(job.list, ticket, id)) << colour;
  return id;
}

TEST(ReadMediaCol, NewMediaTakeSlotsInOrderAndEqualMediaShareOne) {
  auto ticket = FreshTicket();
  EXPECT_EQ(ReadColour(*ticket, "blue"), 0u);
  EXPECT_EQ(ReadColour(*ticket, "pink"), 1u);
  EXPECT_EQ(ReadColour(*ticket, "BLUE"), 0u);
  EXPECT_EQ(ReadColour(*ticket, "green"), 2u);
  EXPECT_EQ(ReadColour(*ticket, "red"), 4u);
  EXPECT_EQ(ticket->claimed_media_slots, 0xFu);
  EXPECT_EQ(WrittenMediaCol(*ticket, 2),
            "media-col (collection):\n"
            "  media-color (keyword) = green\n");
  std::uint32_t id = 0;
  MediaBytes fresh;
  InitMediaRecord(MediaView(fresh));
  ASSERT_TRUE(FindFreeMediaRecord(*ticket, id));
  EXPECT_EQ(id, 8u);
  EXPECT_EQ(std::memcmp(ticket->MediaSlot(4).data(), fresh.data(), kMediaRecordSize), 0);
}

TEST(ReadMediaCol, GrainAndToothDoNotSeparateMediaAndTheFirstKeepsThem) {
  auto ticket = FreshTicket();
  MediaColList first, second;
  Put(first.members, "media-color", "keyword", "yellow");
  Put(first.members, "media-grain", "keyword", "x-grain");
  Put(second.members, "media-color", "keyword", "yellow");
  Put(second.members, "media-grain", "keyword", "y-grain");
  Put(second.members, "media-tooth", "keyword", "fine");
  std::uint32_t a = 9, b = 9;
  ASSERT_TRUE(ReadMediaCol(first.list, *ticket, a));
  ASSERT_TRUE(ReadMediaCol(second.list, *ticket, b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 0u);
  EXPECT_EQ(WrittenMediaCol(*ticket, 0),
            "media-col (collection):\n"
            "  media-color (keyword) = yellow\n"
            "  media-grain (keyword) = x-grain\n");
}

TEST(ReadMediaCol, AMediumLikeAnUntouchedSlotStillOwnsItsSlot) {
  auto ticket = FreshTicket();
  MediaColList plain;  // exactly what an untouched slot writes
  PutInt(plain.members, "media-hole-count", 0);
  std::uint32_t id = 9;
  ASSERT_TRUE(ReadMediaCol(plain.list, *ticket, id));
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(ReadColour(*ticket, "blue"), 1u);
  ASSERT_TRUE(ReadMediaCol(plain.list, *ticket, id));
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(WrittenMediaCol(*ticket, 0),
            "media-col (collection):\n"
            "  media-hole-count (integer) = 0\n");
  EXPECT_EQ(WrittenMediaCol(*ticket, 1),
            "media-col (collection):\n"
            "  media-color (keyword) = blue\n");
}

TEST(ReadMediaCol, AMediumLikeAnUntouchedSlotKeepsItsGrainAndTooth) {
  auto ticket = FreshTicket();
  MediaColList toothed;
  PutInt(toothed.members, "media-hole-count", 0);
  Put(toothed.members, "media-tooth", "keyword", "medium");
  std::uint32_t id = 9;
  ASSERT_TRUE(ReadMediaCol(toothed.list, *ticket, id));
  EXPECT_EQ(id, 0u);
  EXPECT_EQ(WrittenMediaCol(*ticket, 0), DumpAttrList(toothed.list));
}

TEST(ReadMediaCol, TheTwentyFirstMediumIsRefused) {
  auto ticket = FreshTicket();
  for (std::size_t k = 0; k < kMediaSlots; ++k) {
    MediaColList media;
    PutInt(media.members, "media-weight-metric", static_cast<int>(60 + k));
    std::uint32_t id = 0xDEAD;
    ASSERT_TRUE(ReadMediaCol(media.list, *ticket, id));
    EXPECT_EQ(id, MediaIdOf(k));
  }
  const auto before = ticket->bytes;
  MediaColList extra;
  PutInt(extra.members, "media-weight-metric", 200);
  std::uint32_t id = 0xDEAD;
  EXPECT_FALSE(ReadMediaCol(extra.list, *ticket, id));
  EXPECT_EQ(id, kNoMedia);
  EXPECT_EQ(ticket->bytes, before);
  MediaColList again;
  PutInt(again.members, "media-weight-metric", 79);
  ASSERT_TRUE(ReadMediaCol(again.list, *ticket, id));
  EXPECT_EQ(id, 0x40000u);
}

TEST(ReadMediaCol, NoCollectionIsNoMedium) {
  auto ticket = FreshTicket();
  AttrNodeList list;
  std::uint32_t id = 0xDEAD;
  EXPECT_FALSE(ReadMediaCol(list, *ticket, id));
  Put(list, "media-col", "keyword", "blue");
  EXPECT_FALSE(ReadMediaCol(list, *ticket, id));
  EXPECT_EQ(id, 0xDEADu);
  EXPECT_EQ(ticket->claimed_media_slots, 0u);
}

TEST(ReadMediaCol, RoundTripsThroughWriteMediaCol) {
  auto ticket = FreshTicket();
  MediaColList job;
  Put(job.members, "media-description", "name", "Cover");
  PutSize(job.members, 27900, 43200);
  PutInt(job.members, "media-hole-count", 3);
  Put(job.members, "media-front-coating", "keyword", "high-gloss");
  Put(job.members, "media-color", "name", "Teal");
  Put(job.members, "media-type", "name", "Card");
  PutInt(job.members, "media-order-count", 4);
  PutInt(job.members, "media-weight-metric", 250);
  std::uint32_t id = 0xDEAD;
  ASSERT_TRUE(ReadMediaCol(job.list, *ticket, id));
  EXPECT_EQ(WrittenMediaCol(*ticket, id), DumpAttrList(job.list));
}

TEST(WriteMediaCol, OnlyIdentifiersOfSlotsWithSomethingToSay) {
  auto ticket = FreshTicket();
  ticket->MediaSlot(19).Set(media_field::kColor, 2);
  ticket->MediaSlot(3).Set(media_field::kHoleCode, 4);
  EXPECT_EQ(WrittenMediaCol(*ticket, 0x40000),
            "media-col (collection):\n"
            "  media-hole-count (integer) = 0\n"
            "  media-color (keyword) = pink\n");
  // An untouched slot still says "0 holes".
  EXPECT_EQ(WrittenMediaCol(*ticket, 0),
            "media-col (collection):\n"
            "  media-hole-count (integer) = 0\n");
  EXPECT_EQ(WrittenMediaCol(*ticket, 4), "");
  for (std::uint32_t id : {kNoMedia, 3u, 0x100000u, 0xFFFFFFFFu})
    EXPECT_EQ(WrittenMediaCol(*ticket, id), "") << std::hex << id;
}

TEST(StoreAndLoadMediaRecord, RefuseIdentifiersThatNameNoSlot) {
  auto ticket = FreshTicket();
  MediaBytes record;
  record.fill(0x42);
  const auto before = ticket->bytes;
  for (std::uint32_t id : {kNoMedia, 3u, 0x100000u}) {
    EXPECT_FALSE(StoreMediaRecord(*ticket, id, MediaView(record))) << id;
    EXPECT_EQ(ticket->bytes, before);
    EXPECT_EQ(ticket->claimed_media_slots, 0u);
    MediaBytes loaded;
    loaded.fill(0x99);
    EXPECT_FALSE(LoadMediaRecord(MediaView(loaded), *ticket, id));
    MediaBytes fresh;
    InitMediaRecord(MediaView(fresh));
    EXPECT_EQ(loaded, fresh);
  }
  ASSERT_TRUE(StoreMediaRecord(*ticket, 0x20000, MediaView(record)));
  EXPECT_EQ(ticket->claimed_media_slots, 1u << 18);
  MediaBytes loaded{};
  ASSERT_TRUE(LoadMediaRecord(MediaView(loaded), *ticket, 0x20000));
  EXPECT_EQ(loaded, record);
  EXPECT_EQ(ticket->MediaSlot(17).Get(media_field::kSizeCode), 512u);
}

TEST(FindFreeMediaRecord, SkipsClaimedAndUsedSlots) {
  auto ticket = FreshTicket();
  std::uint32_t id = 0xDEAD;
  ASSERT_TRUE(FindFreeMediaRecord(*ticket, id));
  EXPECT_EQ(id, 0u);
  ticket->claimed_media_slots = 1;
  ticket->MediaSlot(1).Set(media_field::kColor, 1);
  ASSERT_TRUE(FindFreeMediaRecord(*ticket, id));
  EXPECT_EQ(id, 2u);
  ticket->ResetMediaClaims();
  ASSERT_TRUE(FindFreeMediaRecord(*ticket, id));
  EXPECT_EQ(id, 0u);
  ticket->claimed_media_slots = 0xFFFFF;
  id = 0xDEAD;
  EXPECT_FALSE(FindFreeMediaRecord(*ticket, id));
  EXPECT_EQ(id, 0xDEADu);
}

// The slot holds `base`; the record is `base` with one change.
TEST(FindMediaRecord, ComparesExactlyTheFieldsThatMeanSomething) {
  using Edit = std::function<void(const FieldView&)>;
  const Edit named = [](const FieldView& r) {
    r.Set(media_field::kType, 16);
    r.SetText(media_field::kTypeName, "Card");
    r.Set(media_field::kTypeCountSet, 1);
    r.Set(media_field::kTypeCount, 3);
    r.Set(media_field::kColor, 64);
    r.SetText(media_field::kColorName, "Teal");
    r.Set(media_field::kFlags, 0);
    r.Set(media_field::kWeight, 90);
    r.SetText(media_field::kDescription, "Stock");
  };
  const Edit plain = [](const FieldView& r) { r.Set(media_field::kType, 1); };
  const Edit tabs = [](const FieldView& r) { r.Set(media_field::kType, 4); };
  const Edit uncounted = [&](const FieldView& r) {
    named(r);
    r.Set(media_field::kTypeCountSet, 2);
  };
  auto set_byte = [](std::size_t offset) {
    return [offset](const FieldView& r) { r.data()[offset] ^= 0x10; };
  };
  const struct {
    const char* what;
    Edit base;
    Edit change;
    bool found;
  } cases[] = {
      {"nothing", named, [](const FieldView&) {}, true},
      {"grain", named, [](const FieldView& r) { r.Set(media_field::kGrain, 2); }, true},
      {"tooth", named, [](const FieldView& r) { r.Set(media_field::kTooth, 1); }, true},
      {"byte 4", named, set_byte(4), true},
      {"byte 24", named, set_byte(24), true},
      {"byte 26", named, set_byte(media_field::kReserved26.offset), true},
      {"byte 30", named, set_byte(media_field::kReserved30.offset), true},
      {"behind the description", named, set_byte(media_field::kDescription.offset + 10), true},
      {"size code", named, [](const FieldView& r) { r.Set(media_field::kSizeCode, 256); }, false},
      {"flags", named, [](const FieldView& r) { r.Set(media_field::kFlags, 4); }, false},
      {"front", named, [](const FieldView& r) { r.Set(media_field::kFrontCoating, 2); }, false},
      {"back", named, [](const FieldView& r) { r.Set(media_field::kBackCoating, 2); }, false},
      {"short edge", named, [](const FieldView& r) { r.Set(media_field::kShortEdge, 1); }, false},
      {"long edge", named, [](const FieldView& r) { r.Set(media_field::kLongEdge, 1); }, false},
      {"holes", named, [](const FieldView& r) { r.Set(media_field::kHoleCode, 2); }, false},
      {"weight", named, [](const FieldView& r) { r.Set(media_field::kWeight, 91); }, false},
      {"type count set", named, [](const FieldView& r) { r.Set(media_field::kTypeCountSet, 2); },
       false},
      {"type count", named, [](const FieldView& r) { r.Set(media_field::kTypeCount, 4); }, false},
      {"type name", named, [](const FieldView& r) { r.SetText(media_field::kTypeName, "card"); },
       false},
      {"colour name", named,
       [](const FieldView& r) { r.SetText(media_field::kColorName, "Teal2"); }, false},
      {"description", named,
       [](const FieldView& r) { r.SetText(media_field::kDescription, "stock"); }, false},
      {"weight not given", plain, [](const FieldView& r) { r.Set(media_field::kWeight, 91); },
       true},
      {"type count not given", uncounted,
       [](const FieldView& r) { r.Set(media_field::kTypeCount, 4); }, true},
      {"type name of a keyword type", plain,
       [](const FieldView& r) { r.SetText(media_field::kTypeName, "x"); }, true},
      {"colour name of a keyword colour", plain,
       [](const FieldView& r) { r.SetText(media_field::kColorName, "x"); }, true},
      {"tab count of other types", plain,
       [](const FieldView& r) { r.Set(media_field::kTabCount, 4); }, true},
      {"tab count of pre-cut tabs", tabs,
       [](const FieldView& r) { r.Set(media_field::kTabCount, 4); }, false},
  };
  for (const auto& c : cases) {
    auto ticket = FreshTicket();
    c.base(ticket->MediaSlot(5));
    MediaBytes record;
    std::memcpy(record.data(), ticket->MediaSlot(5).data(), kMediaRecordSize);
    c.change(MediaView(record));
    std::uint32_t id = 0xDEAD;
    EXPECT_EQ(FindMediaRecord(*ticket, MediaView(record), id), c.found) << c.what;
    EXPECT_EQ(id, c.found ? 0x10u : 0xDEADu) << c.what;
  }
}

}  // namespace
}  // namespace ovrabjt

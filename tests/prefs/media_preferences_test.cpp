#include <gtest/gtest.h>

#include "convert/media/media_collection.h"
#include "convert/media/media_record.h"
#include "inspect/attr_dump.h"
#include "prefs/media_preferences.h"
#include "support/attr_text.h"

namespace ovrabjt {
namespace {

namespace mf = media_field;

std::unique_ptr<AttrNodeList> TwoUserMedia() {
  return testing::ParseAttrText(
      "media-user-defined 1setOf\n"
      "  value collection\n"
      "    media-color keyword blue\n"
      "  value collection\n"
      "    media-description name Letterhead\n"
      "    media-weight-metric integer 90\n");
}

TEST(PopulateStockFromAttrList, EnumeratesUntilTheIndexComesBackZero) {
  auto list = TwoUserMedia();
  MediaBytes bytes{};
  const FieldView rec = MediaView(bytes);
  std::uint16_t index = 1;
  ASSERT_TRUE(PopulateStockFromAttrList(*list, 2, index, rec));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(rec.Get(mf::kColor), 8);
  index = 2;
  ASSERT_TRUE(PopulateStockFromAttrList(*list, 2, index, rec));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(rec.Text(mf::kDescription), "Letterhead");
  EXPECT_EQ(rec.Get(mf::kColor), 128);  // the record was reset first
  EXPECT_EQ(rec.Get(mf::kWeight), 90);
  index = 3;
  EXPECT_TRUE(PopulateStockFromAttrList(*list, 2, index, rec));
  EXPECT_EQ(index, 0);
  EXPECT_FALSE(PopulateStockFromAttrList(*list, 2, index, rec));
  EXPECT_EQ(index, 0);
}

TEST(PopulateStockFromAttrList, MissingListsAndUnknownKinds) {
  auto list = TwoUserMedia();
  MediaBytes bytes{};
  std::uint16_t index = 1;
  EXPECT_TRUE(PopulateStockFromAttrList(*list, 4, index, MediaView(bytes)));
  EXPECT_EQ(index, 0);
  for (std::int32_t kind : {0, 5, -1}) {
    index = 2;
    EXPECT_FALSE(PopulateStockFromAttrList(*list, kind, index, MediaView(bytes))) << kind;
    EXPECT_EQ(index, 2) << kind;
  }
  EXPECT_FALSE(AddStockToMPSContents(*list, 4, MediaView(bytes)));
  EXPECT_FALSE(AddStockToMPSContents(*list, 9, MediaView(bytes)));
}

TEST(CreateEmptyMPSContents, HoldsThreeEmptySetsInOrder) {
  auto list = CreateEmptyMPSContents();
  EXPECT_EQ(DumpAttrList(*list),
            "media-user-defined (1setOf):\n"
            "media-favorites-user-defined (1setOf):\n"
            "media-favorites-printer (1setOf):\n");
  MediaBytes bytes{};
  InitMediaRecord(MediaView(bytes));
  EXPECT_FALSE(AddStockToMPSContents(*list, 1, MediaView(bytes)));
}

TEST(AddStockToMPSContents, AnAddedStockReadsBackField_ForField) {
  auto list = CreateEmptyMPSContents();
  MediaBytes in{};
  const FieldView m = MediaView(in);
  InitMediaRecord(m);
  m.Set(mf::kSizeCode, 256);
  m.Set(mf::kShortEdge, 100);
  m.Set(mf::kLongEdge, 150);
  m.Set(mf::kColor, 64);
  m.SetText(mf::kColorName, "Sunrise");
  m.Set(mf::kType, 16);
  m.SetText(mf::kTypeName, "Card");
  m.Set(mf::kTypeCountSet, 1);
  m.Set(mf::kTypeCount, 3);
  m.Set(mf::kTabCount, 3);
  m.Set(mf::kHoleCode, 2);
  m.Set(mf::kFlags, 0);
  m.Set(mf::kWeight, 250);
  m.Set(mf::kFrontCoating, 8);
  m.Set(mf::kGrain, 2);
  m.SetText(mf::kDescription, "Heavy card");
  ASSERT_TRUE(AddStockToMPSContents(*list, 3, m));
  ASSERT_TRUE(AddStockToMPSContents(*list, 3, m));
  MediaBytes out{};
  std::uint16_t index = 2;
  ASSERT_TRUE(PopulateStockFromAttrList(*list, 3, index, MediaView(out)));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(in, out);
}

}  // namespace
}  // namespace ovrabjt

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "prefs/capabilities.h"
#include "support/attr_text.h"

namespace ovrabjt {
namespace {

std::unique_ptr<AttrNodeList> Caps() {
  return testing::ParseAttrText(
      "trc-supported 1setOf\n"
      "  value name gamma-1\n"
      "  value keyword linear\n"
      "  value text " +
      std::string(40, 'c') +
      "\n"
      "halftone-graphics-supported 1setOf\n"
      "  value integer 7\n"
      "  value uri file:///dots\n"
      "  value mimeMediaType text/plain\n"
      "  value keyword after\n"
      "finishing-template-supported keyword not-a-set\n");
}

TEST(GetSpecificKespInfo, TwoCallsMeasureThenFillSlotsInDocumentOrder) {
  auto list = Caps();
  std::int32_t size = -1;
  ASSERT_TRUE(GetSpecificKespInfo(*list, 1, 32, nullptr, &size));
  EXPECT_EQ(size, 96);
  std::vector<char> slots(size, '\xAA');
  ASSERT_TRUE(GetSpecificKespInfo(*list, 1, 32, slots.data(), &size));
  EXPECT_STREQ(slots.data(), "gamma-1");
  EXPECT_EQ(slots[8], '\xAA');  // bytes behind the NUL are not written
  EXPECT_STREQ(slots.data() + 32, "linear");
  EXPECT_EQ(std::string(slots.data() + 64), std::string(31, 'c'));
  EXPECT_EQ(slots[95], '\0');
}

TEST(GetSpecificKespInfo, ValuesThatAreNotTextsOccupyEmptySlots) {
  auto list = Caps();
  std::int32_t size = 0;
  std::vector<char> slots(4 * 8, '\xAA');
  ASSERT_TRUE(GetSpecificKespInfo(*list, 16, 8, slots.data(), &size));
  EXPECT_EQ(size, 32);
  EXPECT_STREQ(slots.data(), "");
  EXPECT_STREQ(slots.data() + 8, "file://");  // a uri is a text, cut to 7
  EXPECT_STREQ(slots.data() + 16, "");        // a MIME type is not
  EXPECT_STREQ(slots.data() + 24, "after");
}

TEST(GetSpecificKespInfo, RefusedQueriesWriteNothing) {
  auto list = Caps();
  struct Case {
    std::int32_t selector, width;
    bool with_size;
  } cases[] = {{0, 32, true}, {18, 32, true}, {-1, 32, true},
               {1, 0, true},  {1, -5, true},  {1, 32, false}};
  for (const Case& c : cases) {
    std::int32_t size = 12345;
    char slot[4] = {'x', 'x', 'x', 'x'};
    EXPECT_FALSE(
        GetSpecificKespInfo(*list, c.selector, c.width, slot, c.with_size ? &size : nullptr))
        << c.selector << " " << c.width;
    EXPECT_EQ(size, 12345);
    EXPECT_EQ(slot[0], 'x');
  }
}

TEST(GetSpecificKespInfo, MissingCapabilitiesAndScalarsMeasureZero) {
  auto list = Caps();
  for (std::int32_t selector : {2, 15, 17}) {
    std::int32_t size = -1;
    EXPECT_TRUE(GetSpecificKespInfo(*list, selector, 32, nullptr, &size)) << selector;
    EXPECT_EQ(size, 0) << selector;
  }
}

TEST(GetSpecificKespInfo, SlotsOfOneByteHoldOnlyTheNul) {
  auto list = Caps();
  std::int32_t size = 0;
  char slots[3] = {'x', 'x', 'x'};
  ASSERT_TRUE(GetSpecificKespInfo(*list, 1, 1, slots, &size));
  EXPECT_EQ(size, 3);
  EXPECT_EQ(std::string(slots, 3), std::string(3, '\0'));
}

TEST(GetSpecificKespInfo, SizesBeyondThirtyTwoBitsAreRefused) {
  auto list = Caps();
  std::int32_t size = 7;
  EXPECT_FALSE(GetSpecificKespInfo(*list, 1, INT32_MAX / 2, nullptr, &size));
  EXPECT_EQ(size, 7);
  EXPECT_TRUE(GetSpecificKespInfo(*list, 1, INT32_MAX / 3, nullptr, &size));
  EXPECT_EQ(size, INT32_MAX / 3 * 3);
}

}  // namespace
}  // namespace ovrabjt

#include "convert/media/sides.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "media_test_util.h"

namespace ovrabjt {
namespace {

using namespace media_test;

TEST(ReadSides, KeywordsIgnoreCaseAndOtherValuesLeaveTheByte) {
  const struct {
    const char* name;
    const char* syntax;
    const char* text;
    bool result;
    std::uint8_t sides;
  } cases[] = {
      {"sides", "keyword", "one-sided", true, 1},
      {"sides", "keyword", "two-sided-long-edge", true, 2},
      {"sides", "keyword", "TWO-SIDED-SHORT-EDGE", true, 4},
      {"sides", "name", "Two-Sided-Long-Edge", true, 2},
      {"sides", "keyword", "two-sided", false, 8},
      {"sides", "keyword", "one-sided ", false, 8},
      {"sides", "integer", "1", false, 8},
      {"Sides", "keyword", "one-sided", false, 8},
  };
  for (const auto& c : cases) {
    AttrNodeList list;
    Put(list, c.name, c.syntax, c.text);
    std::uint8_t sides = 8;
    EXPECT_EQ(ReadSides(list, sides), c.result) << c.text;
    EXPECT_EQ(sides, c.sides) << c.text;
  }
}

TEST(WriteSides, WritesTheThreeCodesAndNothingElse) {
  for (std::uint8_t code = 0; code < 255; ++code) {
    AttrNodeList list;
    WriteSides(list, code);
    if (code != 1 && code != 2 && code != 4) {
      EXPECT_TRUE(list.empty()) << int(code);
      continue;
    }
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.nodes()[0]->GetValue()->GetSyntaxName(), "keyword");
    std::uint8_t back = 0;
    EXPECT_TRUE(ReadSides(list, back));
    EXPECT_EQ(back, code);
  }
  AttrNodeList list;
  WriteSides(list, 4);
  EXPECT_EQ(DumpAttrList(list), "sides (keyword) = two-sided-short-edge\n");
}

}  // namespace
}  // namespace ovrabjt

// "color-emulation" carries both a code and a name under one attribute name,
// and page overrides write their texts before they are counted as used.
#include <gtest/gtest.h>

#include <vector>

#include "color_fixture.h"
#include "convert/color/color_settings.h"

namespace ovrabjt::color_test {
namespace {

struct Level {
  const char* label;
  Field<std::uint8_t> code;
  Field<std::uint8_t> copy;
  Field<std::uint16_t> name;
  std::uint8_t default_code;
};
const Level kLevels[] = {
    {"job", tf::kColorEmulation, tf::kColorEmulationCopy, tf::kColorEmulationName, 1},
    {"page", At(OverrideOffset(0), of::kColorEmulation),
     At(OverrideOffset(0), of::kColorEmulationCopy), Page(0, of::kColorEmulationName), 0},
};

void Read(const Level& level, const AttrNodeList& in, TicketRecord& t) {
  if (level.default_code == 1)
    ReadJobColorSettings(in, t);
  else
    ReadPageColorSettings(in, t, 0);
}

std::string Emulations(const Level& level, const TicketRecord& t) {
  AttrNodeList out;
  if (level.default_code == 1)
    WriteJobColorSettings(out, t);
  else
    WritePageColorSettings(out, t, 0);
  return DumpAttrList(out);
}

TEST(ColorEmulation, EachOccurrenceGivesTheCodeOrTheName) {
  struct Case {
    std::vector<const char*> texts;
    int code;  // 0: the level's default
    const char* name;
  } cases[] = {
      // A single keyword is both the code and the name.
      {{"swop"}, 4, "swop"},
      {{"None"}, 2, "None"},
      {{"euro-standard"}, 0, "euro-standard"},
      // As written back: the code's keyword, then the name.
      {{"none", "euro-standard"}, 2, "euro-standard"},
      {{"swop", "swop"}, 4, "swop"},
      // The name may come first; the code is the first keyword.
      {{"euro-standard", "SWOP"}, 4, "euro-standard"},
      {{"a", "b", "none"}, 2, "a"},
  };
  for (const Level& level : kLevels) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(level.label) + " " + c.texts[0]);
      AttrNodeList in;
      for (const char* text : c.texts) Put(in, "color-emulation", "keyword", text);
      auto t = FreshColourTicket();
      Read(level, in, *t);
      const int code = c.code ? c.code : level.default_code;
      EXPECT_EQ(t->Get(level.code), code);
      EXPECT_EQ(t->Get(level.copy), code);
      EXPECT_EQ(Text(*t, level.name), c.name);
    }
  }
}

TEST(ColorEmulation, CodeAndNameSurviveTheRoundTripAtBothLevels) {
  for (const Level& level : kLevels) {
    SCOPED_TRACE(level.label);
    auto t = FreshColourTicket();
    t->Set(level.code, 2);
    t->Set(level.copy, 2);
    WriteTicketString(*t, level.name, "euro-standard");
    const std::string written = Emulations(level, *t);
    EXPECT_EQ(written,
              "color-emulation (keyword) = none\n"
              "color-emulation (keyword) = euro-standard\n");

    AttrNodeList in;
    Put(in, "color-emulation", "keyword", "none");
    Put(in, "color-emulation", "keyword", "euro-standard");
    auto back = FreshColourTicket();
    Read(level, in, *back);
    EXPECT_EQ(back->Get(level.code), 2);
    EXPECT_EQ(Text(*back, level.name), "euro-standard");
    EXPECT_EQ(Emulations(level, *back), written);
  }
}

TEST(PageOverrideTexts, ATextSharedWithTheJobSurvivesItsReplacementInTheOverride) {
  auto t = FreshColourTicket();
  WriteTicketString(*t, tf::kColorEmulationName, "shared");
  AttrNodeList in;
  Put(in, "color-destination-profile-front", "keyword", "shared");
  Put(in, "undefined-source-cmy-graphics", "name", "shared");
  Put(in, "undefined-source-cmy-text", "name", "own");
  // Record 0 is not counted as used yet, as while a document is read.
  ReadPageColorSettings(in, *t, 0);
  EXPECT_EQ(t->Get(tf::kPageOverrideCount), 0);
  EXPECT_EQ(Text(*t, tf::kColorEmulationName), "shared");
  EXPECT_EQ(Text(*t, Page(0, of::kDestinationProfileFront)), "shared");
  EXPECT_EQ(Text(*t, Page(0, of::kUndefinedSourceCmy)), "own");
  EXPECT_EQ(t->Get(tf::kStringCount), 2);
}

TEST(PageOverrideTexts, ReplacingATextRenumbersTheOverridesOtherTexts) {
  auto t = FreshColourTicket();
  AttrNodeList first;
  Put(first, "undefined-source-rgb-graphics", "keyword", "old");
  Put(first, "halftone-graphics", "keyword", "dots");
  ReadPageColorSettings(first, *t, 0);
  // The next entry reads into the same record: "old" goes, "dots" moves down.
  AttrNodeList second;
  Put(second, "undefined-source-rgb-graphics", "keyword", "new");
  ReadPageColorSettings(second, *t, 0);
  EXPECT_EQ(t->Get(Page(0, of::kHalftone)), 1);
  EXPECT_EQ(Text(*t, Page(0, of::kHalftone)), "dots");
  EXPECT_EQ(Text(*t, Page(0, of::kUndefinedSourceRgb)), "new");
  EXPECT_EQ(t->Get(tf::kStringCount), 2);
}

}  // namespace
}  // namespace ovrabjt::color_test

#include <gtest/gtest.h>

#include "colour_fixture.h"
#include "convert/colour/color_settings.h"

namespace ovrabjt::colour_test {
namespace {

TEST(HighlightColor, EveryColourMapsBothWaysInAnyLetterCase) {
  const std::pair<std::int16_t, const char*> colours[] = {
      {2, "red"},     {4, "green"},     {8, "blue"},    {16, "cyan"},      {32, "magenta"},
      {64, "yellow"}, {128, "black"},   {256, "other"}, {512, "cardinal"}, {1024, "royal"},
      {2048, "ruby"}, {4096, "violet"}, {8192, "brown"}};
  for (const auto& [code, keyword] : colours) {
    std::string upper = keyword;
    for (char& ch : upper) ch = static_cast<char>(ch - 'a' + 'A');
    for (const std::string& text : {std::string(keyword), upper}) {
      std::int16_t field = 1;
      EXPECT_TRUE(HighlightColorFromKeyword(text, field));
      EXPECT_EQ(field, code) << text;
    }
    std::string_view out;
    EXPECT_TRUE(KeywordFromHighlightColor(code, out));
    EXPECT_EQ(out, keyword);
  }
  std::int16_t field = 1;
  for (const char* unknown : {"pink", "", "royal ", "Roy"})
    EXPECT_FALSE(HighlightColorFromKeyword(unknown, field)) << unknown;
  EXPECT_EQ(field, 1);
  std::string_view out = "untouched";
  for (std::int16_t code : {0, 1, 3, 16384, -2}) EXPECT_FALSE(KeywordFromHighlightColor(code, out));
  EXPECT_EQ(out, "untouched");
}

TEST(RenderingIntent, KeywordsInAnyCaseSetTheFieldAndOthersLeaveIt) {
  const std::pair<std::int16_t, const char*> intents[] = {{2, "saturation"},
                                                          {4, "relative-colorimetric"},
                                                          {8, "absolute-colorimetric"},
                                                          {16, "PERCEPTUAL"},
                                                          {32, "Pure-Text"},
                                                          {64, "automatic"}};
  for (const auto& [code, keyword] : intents) {
    AttrNodeList in;
    Put(in, "rendering-intent-images", "keyword", keyword);
    auto t = FreshColourTicket();
    EXPECT_TRUE(
        ReadRenderingIntent(in, "rendering-intent-images", t->view(), tf::kRenderingIntentImages));
    EXPECT_EQ(t->Get(tf::kRenderingIntentImages), code);
    AttrNodeList out;
    WriteRenderingIntent(out, code, "rendering-intent-images");
    std::string lower = keyword;
    for (char& ch : lower) ch = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch;
    EXPECT_EQ(DumpAttrList(out), "rendering-intent-images (keyword) = " + lower + "\n");
  }
  AttrNodeList in;
  Put(in, "rendering-intent-text", "keyword", "vivid");
  Put(in, "rendering-intent-graphics", "uri", "perceptual");
  auto t = FreshColourTicket();
  EXPECT_FALSE(
      ReadRenderingIntent(in, "rendering-intent-text", t->view(), tf::kRenderingIntentText));
  EXPECT_FALSE(ReadRenderingIntent(in, "rendering-intent-graphics", t->view(),
                                   tf::kRenderingIntentGraphics));
  EXPECT_FALSE(
      ReadRenderingIntent(in, "rendering-intent-images", t->view(), tf::kRenderingIntentImages));
  EXPECT_EQ(t->Get(tf::kRenderingIntentText), 1);
  EXPECT_EQ(t->Get(tf::kRenderingIntentGraphics), 1);
  AttrNodeList out;
  for (std::int16_t code : {0, 1, 3, 128}) WriteRenderingIntent(out, code, "rendering-intent-text");
  EXPECT_TRUE(out.empty());
}

TEST(RenderingIntent, PageOverridesUseTheirOwnFields) {
  AttrNodeList in;
  Put(in, "rendering-intent-images", "keyword", "automatic");
  Put(in, "rendering-intent-text", "keyword", "pure-text");
  Put(in, "rendering-intent-graphics", "keyword", "saturation");
  auto t = FreshColourTicket();
  ReadPageColorSettings(in, *t, 249);
  const ConstFieldView r = std::as_const(*t).Override(249);
  EXPECT_EQ(r.Get(of::kRenderingIntentImages), 64);
  EXPECT_EQ(r.Get(of::kRenderingIntentText), 32);
  EXPECT_EQ(r.Get(of::kRenderingIntentGraphics), 2);
  EXPECT_EQ(t->Get(tf::kRenderingIntentImages), 1);
}

TEST(PrinterResolution, OnlySquare600Or300DotsPerInchAreKept) {
  struct Case {
    const char* cross;  // null: member missing
    const char* feed;
    const char* units;
    int code;
  } cases[] = {
      {"600", "600", "3", 2},     {"300", "300", "3", 4},   {"600", "300", "3", 1},
      {"300", "600", "3", 1},     {"600", "600", "4", 1},   {"1200", "1200", "3", 1},
      {"600", "600", nullptr, 1}, {nullptr, "600", "3", 1}, {"600", nullptr, "3", 1},
  };
  for (const Case& c : cases) {
    AttrNodeList in;
    AttrNodeList& res = AddCollection(in, "printer-resolution", kResolution);
    if (c.cross) Put(res, "cross-feed", "integer", c.cross);
    if (c.feed) Put(res, "feed-direction", "integer", c.feed);
    if (c.units) Put(res, "units", "integer", c.units);
    auto t = FreshColourTicket();
    ReadPrinterResolution(in, *t);
    EXPECT_EQ(t->Get(tf::kPrinterResolution), c.code)
        << (c.cross ? c.cross : "-") << " " << (c.feed ? c.feed : "-") << " "
        << (c.units ? c.units : "-");
  }
  // Only the job level knows it, and not as a scalar.
  AttrNodeList scalar;
  Put(scalar, "printer-resolution", "integer", "600");
  auto t = FreshColourTicket();
  ReadPrinterResolution(scalar, *t);
  ReadJobColorSettings(scalar, *t);
  EXPECT_EQ(t->Get(tf::kPrinterResolution), 1);
}

TEST(PrinterResolution, EachCodeIsWrittenAsAResolutionCollection) {
  for (const auto& [code, dpi] : {std::pair{2, "600"}, std::pair{4, "300"}}) {
    auto t = FreshColourTicket();
    t->Set(tf::kPrinterResolution, static_cast<std::uint8_t>(code));
    AttrNodeList out;
    WriteJobColorSettings(out, *t);
    EXPECT_EQ(DumpAttrList(out), std::string("printer-resolution (resolution):\n") +
                                     "  cross-feed (integer) = " + dpi + "\n" +
                                     "  feed-direction (integer) = " + dpi + "\n" +
                                     "  units (integer) = 3\n");
  }
}

TEST(Switches, KeywordsInAnyCaseSetTheirCodeAtBothLevels) {
  struct Case {
    const char* name;
    const char* keyword;
    Field<std::uint8_t> job;
    Field<std::uint8_t> page;
    int code;
  } cases[] = {
      {"trapping", "All", tf::kTrapping, of::kTrapping, 4},
      {"trapping", "off", tf::kTrapping, of::kTrapping, 2},
      {"anti-aliasing", "STANDARD", tf::kAntiAliasing, of::kAntiAliasing, 4},
      {"anti-aliasing", "none", tf::kAntiAliasing, of::kAntiAliasing, 2},
      {"black-overprint", "black-overprint-on", tf::kBlackOverprint, of::kBlackOverprint, 4},
      {"black-overprint", "Black-Overprint-Off", tf::kBlackOverprint, of::kBlackOverprint, 2},
  };
  for (const Case& c : cases) {
    AttrNodeList in;
    Put(in, c.name, "keyword", c.keyword);
    auto t = FreshColourTicket();
    ReadJobColorSettings(in, *t);
    ReadPageColorSettings(in, *t, 5);
    EXPECT_EQ(t->Get(c.job), c.code) << c.keyword;
    EXPECT_EQ(t->Override(5).Get(c.page), c.code) << c.keyword;
  }
}

}  // namespace
}  // namespace ovrabjt::colour_test

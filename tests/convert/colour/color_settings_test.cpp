#include "convert/colour/color_settings.h"

#include <gtest/gtest.h>

#include "colour_fixture.h"

namespace ovrabjt::colour_test {
namespace {

// Every colour value, by its field at the job level and in a page override.
template <typename T>
struct Sample {
  Field<T> job;
  Field<T> page;
  T value;
};
const Sample<std::int16_t> kWords[] = {
    {tf::kAdjustLightness, of::kAdjustLightness, -25},
    {tf::kAdjustSaturation, of::kAdjustSaturation, 3},
    {tf::kAdjustContrast, of::kAdjustContrast, 4},
    {tf::kAdjustCyanRed, of::kAdjustCyanRed, 5},
    {tf::kAdjustMagentaGreen, of::kAdjustMagentaGreen, 6},
    {tf::kAdjustYellowBlue, of::kAdjustYellowBlue, 7},
    {tf::kRenderingIntentImages, of::kRenderingIntentImages, 16},
    {tf::kRenderingIntentText, of::kRenderingIntentText, 2},
    {tf::kRenderingIntentGraphics, of::kRenderingIntentGraphics, 64}};
const Sample<std::uint8_t> kBytes[] = {
    {tf::kColorEmulation, of::kColorEmulation, 4}, {tf::kTrapping, of::kTrapping, 4},
    {tf::kTrapWidthFast, of::kTrapWidthFast, 9},   {tf::kTrapWidthSlow, of::kTrapWidthSlow, 255},
    {tf::kAntiAliasing, of::kAntiAliasing, 4},     {tf::kBlackOverprint, of::kBlackOverprint, 2}};
struct TextSample {
  Field<std::uint16_t> job;
  Field<std::uint16_t> page;
  const char* text;
};
const TextSample kTexts[] = {{tf::kDestinationProfileFront, of::kDestinationProfileFront, "F"},
                             {tf::kDestinationProfileBack, of::kDestinationProfileBack, "B"},
                             {tf::kUndefinedSourceRgb, of::kUndefinedSourceRgb, "R"},
                             {tf::kUndefinedSourceCmyk, of::kUndefinedSourceCmyk, "K"},
                             {tf::kUndefinedSourceCmy, of::kUndefinedSourceCmy, "C"},
                             {tf::kUndefinedSourceGray, of::kUndefinedSourceGray, "G"},
                             {tf::kUndefinedSourceRgbImages, of::kUndefinedSourceRgbImages, "RI"},
                             {tf::kUndefinedSourceCmykImages, of::kUndefinedSourceCmykImages, "KI"},
                             {tf::kUndefinedSourceCmyImages, of::kUndefinedSourceCmyImages, "CI"},
                             {tf::kUnusedStringRef, of::kUnusedStringRef, "U"},
                             {tf::kTrcName, of::kTrcName, "T"},
                             {tf::kHalftone, of::kHalftone, "H"},
                             {tf::kColorEmulationName, of::kColorEmulationName, "E"}};

void FillJob(TicketRecord& t) {
  t.Set(tf::kJobFlags, 0x01FF);  // every colour bit clear, the others set
  for (const auto& w : kWords) t.Set(w.job, w.value);
  for (const auto& b : kBytes) t.Set(b.job, b.value);
  for (const auto& x : kTexts) WriteTicketString(t, x.job, x.text);
  t.Set(tf::kPrinterResolution, 4);
}

void FillPage(TicketRecord& t, std::size_t i) {
  t.Set(tf::kPageOverrideCount, static_cast<std::uint16_t>(i + 1));
  const FieldView r = t.Override(i);
  r.Set(of::kFlags, 0x3F);  // lightness given, the media and shift bits not
  r.Set(of::kFlags2, 0x00);
  for (const auto& w : kWords) r.Set(w.page, w.value);
  for (const auto& b : kBytes) r.Set(b.page, b.value);
  for (const auto& x : kTexts) WriteTicketString(t, Page(i, x.page), x.text);
}

constexpr const char* kAdjustmentsAndNames =
    "adjust-lightness (integer) = -25\n"
    "adjust-saturation (integer) = 3\n"
    "adjust-cyan-red (integer) = 5\n"
    "adjust-magenta-green (integer) = 6\n"
    "adjust-yellow-blue (integer) = 7\n"
    "adjust-contrast (integer) = 4\n"
    "rendering-intent-images (keyword) = perceptual\n"
    "rendering-intent-text (keyword) = saturation\n"
    "rendering-intent-graphics (keyword) = automatic\n"
    "color-destination-profile-front (keyword) = F\n"
    "color-destination-profile-back (keyword) = B\n"
    "undefined-source-rgb-graphics (keyword) = R\n"
    "undefined-source-rgb-text (keyword) = R\n"
    "undefined-source-cmyk-graphics (keyword) = K\n"
    "undefined-source-cmyk-text (keyword) = K\n"
    "undefined-source-cmy-graphics (name) = C\n"
    "undefined-source-cmy-text (name) = C\n"
    "undefined-source-gray-graphics (name) = G\n"
    "undefined-source-gray-text (name) = G\n"
    "undefined-source-rgb-images (keyword) = RI\n"
    "undefined-source-cmyk-images (keyword) = KI\n"
    "undefined-source-cmy-images (name) = CI\n";
constexpr const char* kTrc = "trc (collection):\n  trc-name (name) = T\n";
constexpr const char* kHalftones =
    "halftone-graphics (keyword) = H\n"
    "halftone-text (keyword) = H\n"
    "halftone-images (keyword) = H\n";
constexpr const char* kTrapWidths =
    "trap-width-fast (integer) = 9\n"
    "trap-width-slow (integer) = 255\n";

TEST(WriteJobColorSettings, EmitsEveryGivenValueInTheJobOrder) {
  auto t = FreshColourTicket();
  FillJob(*t);
  AttrNodeList out;
  WriteJobColorSettings(out, *t);
  EXPECT_EQ(DumpAttrList(out), std::string(kAdjustmentsAndNames) + kTrc + kHalftones +
                                   "color-emulation (keyword) = swop\n"
                                   "printer-resolution (resolution):\n"
                                   "  cross-feed (integer) = 300\n"
                                   "  feed-direction (integer) = 300\n"
                                   "  units (integer) = 3\n"
                                   "trapping (keyword) = all\n" +
                                   kTrapWidths +
                                   "anti-aliasing (keyword) = standard\n"
                                   "black-overprint (keyword) = black-overprint-off\n"
                                   "color-emulation (keyword) = E\n");
}

TEST(WritePageColorSettings, EmitsEveryGivenValueInThePageOrder) {
  auto t = FreshColourTicket();
  FillPage(*t, 3);
  AttrNodeList out;
  WritePageColorSettings(out, *t, 3);
  EXPECT_EQ(DumpAttrList(out), std::string(kAdjustmentsAndNames) + kHalftones + kTrc +
                                   "color-emulation (keyword) = swop\n"
                                   "color-emulation (keyword) = E\n"
                                   "trapping (keyword) = all\n"
                                   "anti-aliasing (keyword) = standard\n"
                                   "black-overprint (keyword) = black-overprint-off\n" +
                                   kTrapWidths);
}

TEST(ColorSettings, AFreshRecordWritesNothingAtEitherLevel) {
  auto t = FreshColourTicket();
  t->Set(tf::kPageOverrideCount, 1);
  AttrNodeList job, page;
  WriteJobColorSettings(job, *t);
  WritePageColorSettings(page, *t, 0);
  EXPECT_EQ(DumpAttrList(job), "");
  EXPECT_EQ(DumpAttrList(page), "");
}

// What is written reads back into a fresh record that writes the same again.
TEST(ColorSettings, EveryValueSurvivesTheRoundTripAtBothLevels) {
  auto source = FreshColourTicket();
  FillJob(*source);
  FillPage(*source, 1);
  AttrNodeList job, page;
  WriteJobColorSettings(job, *source);
  WritePageColorSettings(page, *source, 1);

  auto back = FreshColourTicket();
  ReadJobColorSettings(job, *back);
  ReadPrinterResolution(job, *back);
  ReadPageColorSettings(page, *back, 1);
  EXPECT_EQ(back->Get(tf::kJobFlags), 0x01FF);
  EXPECT_EQ(back->Get(tf::kColorEmulationCopy), 4);
  EXPECT_EQ(back->Override(1).Get(of::kFlagsWord), 0x003F);
  EXPECT_EQ(back->Override(1).Get(of::kColorEmulationCopy), 4);
  EXPECT_EQ(Text(*back, tf::kColorEmulationName), "E");
  EXPECT_EQ(back->Get(tf::kUnusedStringRef), 0);

  AttrNodeList job2, page2;
  WriteJobColorSettings(job2, *back);
  WritePageColorSettings(page2, *back, 1);
  EXPECT_EQ(DumpAttrList(job2), DumpAttrList(job));
  EXPECT_EQ(DumpAttrList(page2), DumpAttrList(page));
}

TEST(ColorSettings, TextsMissingFromTheStringTableAreSkipped) {
  auto t = FreshColourTicket();
  WriteTicketString(*t, tf::kColorEmulationName, "E");
  for (auto f : {tf::kDestinationProfileFront, tf::kTrcName, tf::kHalftone}) t->Set(f, 2);
  t->Set(tf::kJobFlags, 0x7DFF);
  AttrNodeList out;
  WriteJobColorSettings(out, *t);
  EXPECT_EQ(DumpAttrList(out),
            "adjust-lightness (integer) = 0\n"
            "color-emulation (keyword) = E\n");
}

TEST(ColorSettings, OneColourBalanceAdjustmentBringsAllThree) {
  AttrNodeList in;
  Put(in, "adjust-cyan-red", "integer", "-8");
  auto t = FreshColourTicket();
  ReadJobColorSettings(in, *t);
  ReadPageColorSettings(in, *t, 0);
  EXPECT_EQ(t->Get(tf::kJobFlags), 0x6FFF);
  EXPECT_EQ(t->Override(0).Get(of::kFlagsWord), 0x1BBF);
  const std::string three =
      "adjust-cyan-red (integer) = -8\n"
      "adjust-magenta-green (integer) = 0\n"
      "adjust-yellow-blue (integer) = 0\n";
  AttrNodeList job, page;
  WriteJobColorSettings(job, *t);
  WritePageColorSettings(page, *t, 0);
  EXPECT_EQ(DumpAttrList(job), three);
  EXPECT_EQ(DumpAttrList(page), three);
}

TEST(ColorSettings, NumbersKeepTheirLowBitsAndOtherSyntaxesReadAsZero) {
  AttrNodeList in;
  Put(in, "adjust-lightness", "integer", "70000");
  Put(in, "adjust-saturation", "integer", "-25");
  Put(in, "adjust-contrast", "keyword", "12");
  Put(in, "trap-width-fast", "integer", "300");
  Put(in, "trap-width-slow", "integer", "-1");
  auto t = FreshColourTicket();
  t->Set(tf::kAdjustContrast, 9);
  ReadJobColorSettings(in, *t);
  EXPECT_EQ(t->Get(tf::kAdjustLightness), 4464);
  EXPECT_EQ(t->Get(tf::kAdjustSaturation), -25);
  EXPECT_EQ(t->Get(tf::kAdjustContrast), 0);
  EXPECT_EQ(t->Get(tf::kTrapWidthFast), 44);
  EXPECT_EQ(t->Get(tf::kTrapWidthSlow), 255);
  EXPECT_EQ(t->Get(tf::kJobFlags), 0x11FF);
  ReadPageColorSettings(in, *t, 2);
  EXPECT_EQ(t->Override(2).Get(of::kAdjustLightness), 4464);
  EXPECT_EQ(t->Override(2).Get(of::kAdjustSaturation), -25);
  EXPECT_EQ(t->Override(2).Get(of::kTrapWidthFast), 44);
  EXPECT_EQ(t->Override(2).Get(of::kFlagsWord), 0x043F);
}

TEST(ColorSettings, TheTextAttributeOfAPairWinsAndGoesBackUnderBothNames) {
  AttrNodeList in;
  Put(in, "undefined-source-rgb-text", "keyword", "text-rgb");
  Put(in, "undefined-source-rgb-graphics", "name", "graphics-rgb");
  Put(in, "undefined-source-cmy-graphics", "keyword", "cmy");
  Put(in, "undefined-source-gray-text", "text", "gray");
  auto t = FreshColourTicket();
  ReadJobColorSettings(in, *t);
  EXPECT_EQ(Text(*t, tf::kUndefinedSourceRgb), "text-rgb");
  // The graphics text was replaced, so the table keeps only the three others.
  EXPECT_EQ(t->Get(tf::kStringCount), 3);
  AttrNodeList out;
  WriteJobColorSettings(out, *t);
  EXPECT_EQ(DumpAttrList(out),
            "undefined-source-rgb-graphics (keyword) = text-rgb\n"
            "undefined-source-rgb-text (keyword) = text-rgb\n"
            "undefined-source-cmy-graphics (name) = cmy\n"
            "undefined-source-cmy-text (name) = cmy\n"
            "undefined-source-gray-graphics (name) = gray\n"
            "undefined-source-gray-text (name) = gray\n");
}

TEST(ColorSettings, HalftoneTextAloneCountsAtPageLevelOnly) {
  AttrNodeList in;
  Put(in, "halftone-text", "keyword", "dots");
  auto t = FreshColourTicket();
  ReadJobColorSettings(in, *t);
  ReadPageColorSettings(in, *t, 0);
  EXPECT_EQ(t->Get(tf::kHalftone), 0);
  EXPECT_EQ(Text(*t, Page(0, of::kHalftone)), "dots");

  // At the page level images comes before text, graphics before both.
  Put(in, "halftone-images", "keyword", "lines");
  ReadPageColorSettings(in, *t, 1);
  EXPECT_EQ(Text(*t, Page(1, of::kHalftone)), "lines");
  Put(in, "halftone-graphics", "keyword", "screen");
  ReadPageColorSettings(in, *t, 1);
  ReadJobColorSettings(in, *t);
  EXPECT_EQ(Text(*t, Page(1, of::kHalftone)), "screen");
  EXPECT_EQ(Text(*t, tf::kHalftone), "screen");
}

TEST(ColorSettings, TrapWidthsDependOnTrappingAtTheJobLevelOnly) {
  struct Case {
    const char* trapping;  // null: no "trapping" attribute
    const char* written;   // the "trapping" line written back
    bool job_keeps_widths;
  } cases[] = {{"off", "trapping (keyword) = off\n", false},
               {"OFF", "trapping (keyword) = off\n", false},
               {"all", "trapping (keyword) = all\n", true},
               {nullptr, "", true},
               {"some", "", true}};
  const std::string widths =
      "trap-width-fast (integer) = 3\n"
      "trap-width-slow (integer) = 7\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trapping ? c.trapping : "(none)");
    AttrNodeList in;
    if (c.trapping) Put(in, "trapping", "keyword", c.trapping);
    Put(in, "trap-width-fast", "integer", "3");
    Put(in, "trap-width-slow", "integer", "7");
    auto t = FreshColourTicket();
    ReadJobColorSettings(in, *t);
    ReadPageColorSettings(in, *t, 0);
    EXPECT_EQ(t->Get(tf::kTrapWidthFast), c.job_keeps_widths ? 3 : 0);
    EXPECT_EQ(t->Get(tf::kTrapWidthSlow), c.job_keeps_widths ? 7 : 0);
    EXPECT_EQ(t->Get(tf::kJobFlags), c.job_keeps_widths ? 0x1FFF : 0x7FFF);
    EXPECT_EQ(t->Override(0).Get(of::kTrapWidthFast), 3);
    EXPECT_EQ(t->Override(0).Get(of::kTrapWidthSlow), 7);

    AttrNodeList job, page;
    WriteJobColorSettings(job, *t);
    WritePageColorSettings(page, *t, 0);
    EXPECT_EQ(DumpAttrList(job), c.written + (c.job_keeps_widths ? widths : ""));
    EXPECT_EQ(DumpAttrList(page), c.written + widths);
  }
}

TEST(ColorSettings, WidthsAlreadyInTheJobAreNotWrittenWhileTrappingIsOff) {
  auto t = FreshColourTicket();
  t->Set(tf::kTrapping, 2);
  t->Set(tf::kTrapWidthFast, 5);
  t->Set(tf::kJobFlags, 0x5FFF);
  AttrNodeList out;
  WriteJobColorSettings(out, *t);
  EXPECT_EQ(DumpAttrList(out), "trapping (keyword) = off\n");
}

TEST(ColorSettings, ATrcWithoutANameChangesNothing) {
  AttrNodeList in;
  AddCollection(in, "trc", kCollection);
  auto t = FreshColourTicket();
  WriteTicketString(*t, tf::kTrcName, "kept");
  ReadJobColorSettings(in, *t);
  EXPECT_EQ(Text(*t, tf::kTrcName), "kept");
  AttrNodeList named;
  Put(AddCollection(named, "trc", kCollection), "trc-name", "name", "curve");
  ReadPageColorSettings(named, *t, 0);
  EXPECT_EQ(Text(*t, Page(0, of::kTrcName)), "curve");
}

TEST(ColorSettings, UnknownKeywordsLeaveTheirFields) {
  AttrNodeList in;
  for (const char* name :
       {"trapping", "anti-aliasing", "black-overprint", "color-emulation", "rendering-intent-text"})
    Put(in, name, "integer", "4");
  auto t = FreshColourTicket();
  ReadJobColorSettings(in, *t);
  ReadPageColorSettings(in, *t, 0);
  for (auto f : {tf::kTrapping, tf::kAntiAliasing, tf::kBlackOverprint, tf::kColorEmulation})
    EXPECT_EQ(t->Get(f), 1) << f.offset;
  EXPECT_EQ(t->Get(tf::kRenderingIntentText), 1);
  EXPECT_EQ(t->Override(0).Get(of::kColorEmulation), 0);
  EXPECT_EQ(t->Override(0).Get(of::kTrapping), 1);
}

}  // namespace
}  // namespace ovrabjt::colour_test

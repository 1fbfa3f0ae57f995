// A ticket's settings against a printer's capabilities: keywords fit in any
// letter case, names only exactly; what the printer does not list is dropped
// back to "not given".
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "convert/ticket_conversion.h"
#include "operations/diff_tickets.h"
#include "operations/fit_ticket.h"
#include "support/attr_text.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace of = override_field;

std::string Pages(std::int32_t first, std::int32_t last) {
  return "    pages 1setOf\n      value rangeOfInteger\n        lower-bound integer " +
         std::to_string(first) + "\n        upper-bound integer " + std::to_string(last) + "\n";
}

// Each unsupported setting as "where attribute value [supported...]".
std::vector<std::string> Lines(const FitReport& report) {
  std::vector<std::string> lines;
  for (const UnsupportedSetting& u : report.unsupported) {
    std::string line = u.page_override ? "page " + std::to_string(*u.page_override) + " (" +
                                             std::to_string(u.first_page) + "-" +
                                             std::to_string(u.last_page) + ")"
                                       : "job";
    line += " " + std::string(u.attribute) + " " + u.value + " [";
    for (const std::string& s : u.supported) line += s + ";";
    lines.push_back(line + "] " + std::string(u.capability));
  }
  return lines;
}

TEST(Fit, ValuesCompareAsTheFormatComparesThem) {
  const struct {
    const char* rule;
    std::string ticket;
    std::string capabilities;
    std::size_t checked;
    std::vector<std::string> unsupported;
  } cases[] = {
      {"a keyword fits in other letters",
       "halftone-graphics keyword Photo-Fine\n",
       "halftone-graphics-supported 1setOf\n  value keyword photo-fine\n",
       1,
       {}},
      {"a name fits only exactly",
       "trc collection\n  trc-name name Office-Neutral\n",
       "trc-supported 1setOf\n  value name office-neutral\n  value name photo\n",
       1,
       {"job trc Office-Neutral [office-neutral;photo;] trc-supported"}},
      {"a capability the document lacks constrains nothing",
       "halftone-graphics keyword coarse\n",
       "trc-supported 1setOf\n  value name office-neutral\n",
       0,
       {}},
      {"a setting the ticket does not give is never unsupported",
       "copies integer 2\n",
       "halftone-graphics-supported 1setOf\n  value keyword photo-fine\n",
       0,
       {}},
      {"a capability without values supports nothing",
       "halftone-graphics keyword coarse\n",
       "halftone-graphics-supported 1setOf\n",
       1,
       {"job halftone-graphics coarse [] halftone-graphics-supported"}},
      {"a value that is no text reads as an empty text",
       "halftone-graphics keyword coarse\n",
       "halftone-graphics-supported 1setOf\n  value integer 3\n  value uri coarse\n",
       1,
       {}},
      {"each page override is checked with its pages",
       "undefined-source-cmy-text name Euro\n"
       "page-overrides 1setOf\n  value collection\n" +
           Pages(3, 4) +
           "    undefined-source-cmy-text name euro\n"
           "  value collection\n" +
           Pages(9, 9) + "    sides keyword one-sided\n",
       "undefined-source-cmy-text-supported 1setOf\n  value name euro\n",
       2,
       {"job undefined-source-cmy-text Euro [euro;] undefined-source-cmy-text-supported"}},
      {"the graphics and text sources share one setting, checked against each",
       "undefined-source-rgb-graphics keyword srgb\nundefined-source-rgb-text keyword adobe-rgb\n",
       "undefined-source-rgb-graphics-supported 1setOf\n  value keyword SRGB\n"
       "  value keyword adobe-rgb\n"
       "undefined-source-rgb-text-supported 1setOf\n  value keyword srgb\n",
       2,
       {"job undefined-source-rgb-text adobe-rgb [srgb;] undefined-source-rgb-text-supported"}},
      {"a page override's halftone is checked against the graphics halftones",
       "page-overrides 1setOf\n  value collection\n" + Pages(5, 6) +
           "    halftone-text keyword stochastic\n",
       "halftone-graphics-supported 1setOf\n  value keyword photo-fine\n",
       1,
       {"page 0 (5-6) halftone-graphics stochastic [photo-fine;] halftone-graphics-supported"}},
      {"a finishing template is a name",
       "finishings-col collection\n  finishing-template name booklet a4\n",
       "finishing-template-supported 1setOf\n  value name Booklet A4\n",
       1,
       {"job finishing-template booklet a4 [Booklet A4;] finishing-template-supported"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    const auto ticket = testing::LoadAttrText(c.ticket);
    const FitReport report = FitTicket(*ticket, *testing::ParseAttrText(c.capabilities));
    EXPECT_EQ(report.checked, c.checked);
    EXPECT_EQ(Lines(report), c.unsupported);
    EXPECT_EQ(report.Fits(), c.unsupported.empty());
  }
}

TEST(Fit, TheCapabilitiesAreNamedAsEachReleaseNamesThem) {
  const auto ticket = testing::LoadAttrText("color-destination-profile-front keyword coated\n");
  const auto without_suffix =
      testing::ParseAttrText("color-destination-profile-front 1setOf\n  value keyword uncoated\n");
  const FitReport oldest = FitTicket(*ticket, *without_suffix, *FindRelease("3.0.15"));
  EXPECT_EQ(oldest.capabilities, std::vector<std::string_view>{"color-destination-profile-front"});
  EXPECT_EQ(oldest.unsupported.size(), 1u);
  const FitReport newest = FitTicket(*ticket, *without_suffix, LatestRelease());
  EXPECT_TRUE(newest.capabilities.empty());
  EXPECT_TRUE(newest.Fits());
  // Releases before the newest have no halftone capability.
  const auto halftone = testing::LoadAttrText("halftone-graphics keyword coarse\n");
  const auto halftones =
      testing::ParseAttrText("halftone-graphics-supported 1setOf\n  value keyword fine\n");
  EXPECT_TRUE(FitTicket(*halftone, *halftones, *FindRelease("10.0.06")).Fits());
  EXPECT_FALSE(FitTicket(*halftone, *halftones, LatestRelease()).Fits());
}

TEST(Fit, DroppingReturnsEveryUnsupportedSettingToNotGiven) {
  const std::string pages = Pages(2, 2);
  auto ticket = testing::LoadAttrText(
      "halftone-graphics keyword coarse\n"
      "trc collection\n  trc-name name office\n"
      "finishings-col collection\n  finishing-template name saddle\n"
      "page-overrides 1setOf\n  value collection\n" +
      pages + "    halftone-graphics keyword coarse\n    sides keyword one-sided\n");
  const auto capabilities = testing::ParseAttrText(
      "halftone-graphics-supported 1setOf\n  value keyword fine\n"
      "trc-supported 1setOf\n  value name office\n"
      "finishing-template-supported 1setOf\n  value name booklet\n");
  const FitReport report = FitTicket(*ticket, *capabilities);
  ASSERT_EQ(report.unsupported.size(), 3u);
  DropUnsupported(*ticket, report);
  EXPECT_TRUE(FitTicket(*ticket, *capabilities).Fits());
  // What stays is the ticket of the document without the dropped settings.
  const auto expected = testing::LoadAttrText(
      "trc collection\n  trc-name name office\n"
      "page-overrides 1setOf\n  value collection\n" +
      pages + "    sides keyword one-sided\n");
  EXPECT_TRUE(DiffTickets(*expected, *ticket).empty());
  EXPECT_EQ(ticket->Get(tf::kFinishing), 128);
  EXPECT_EQ(ticket->Text(tf::kFinishingTemplate), "");
  EXPECT_EQ(ticket->Override(0).Get(of::kHalftone), 0);
  // The halftone both levels shared is gone from the string table.
  ASSERT_EQ(ticket->strings.size(), 1u);
  EXPECT_EQ(ticket->strings.at(0), "office");
  EXPECT_EQ(ticket->Get(tf::kStringCount), 1);
}

}  // namespace
}  // namespace ovrabjt

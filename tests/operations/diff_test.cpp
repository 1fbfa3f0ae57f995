// Two tickets compared field by field as their documents see them: texts by
// their text, media by their content wherever they sit, entries one ticket
// lacks by the fields the other gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"
#include "operations/diff_tickets.h"
#include "support/attr_text.h"
#include "support/ticket_generator.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace mf = media_field;

char KindLetter(const DiffSide& side) {
  switch (side.kind) {
    case DiffSide::Kind::kField:
      return 'f';
    case DiffSide::Kind::kNoMedium:
      return 'm';
    case DiffSide::Kind::kNoEntry:
      return 'e';
  }
  return '?';
}

// Each difference as "field a b", the sides by their kind: f a field, m no
// medium, e no entry.
std::vector<std::string> Shown(const std::vector<TicketDifference>& differences) {
  std::vector<std::string> lines;
  for (const TicketDifference& d : differences)
    lines.push_back(d.field + " " + KindLetter(d.a) + " " + KindLetter(d.b));
  return lines;
}

TEST(Diff, TheSameTextsAndMediaElsewhereAreEqual) {
  // The same settings in another order give other string indexes and slots.
  const auto a = testing::LoadAttrText(
      "trc collection\n  trc-name name curve\nhalftone-graphics keyword dots\n"
      "media-col collection\n  media-color keyword blue\n"
      "cover-front collection\n  media-col collection\n    media-color keyword pink\n"
      "  cover-type keyword print-front\n");
  auto b = testing::LoadAttrText(
      "halftone-graphics keyword curve\n"
      "media-col collection\n  media-color keyword blue\n"
      "cover-front collection\n  media-col collection\n    media-color keyword pink\n"
      "  cover-type keyword print-front\n");
  auto c = testing::LoadAttrText("");
  // b: "curve" first, and its two media swapped (pink in slot 0, blue in 1).
  WriteTicketString(*b, tf::kTrcName, "curve");
  WriteTicketString(*b, tf::kHalftone, "dots");
  ASSERT_EQ(b->Get(tf::kTrcName), 1);
  MediaBytes blue{};
  std::copy_n(b->MediaSlot(0).data(), kMediaRecordSize, blue.data());
  std::copy_n(b->MediaSlot(1).data(), kMediaRecordSize, b->MediaSlot(0).data());
  std::copy_n(blue.data(), kMediaRecordSize, b->MediaSlot(1).data());
  b->Set(tf::kJobMedia, 1);
  b->Set(tf::kFrontCoverMedia, 0);
  EXPECT_EQ(Shown(DiffTickets(*a, *b)), std::vector<std::string>{});
  // A string no field names and the string count do not take part.
  c->strings.Append("unnamed");
  c->Set(tf::kStringCount, 1);
  EXPECT_EQ(Shown(DiffTickets(*testing::LoadAttrText(""), *c)), std::vector<std::string>{});
}

TEST(Diff, EveryDifferenceIsNamedWithWhatEachSideHasThere) {
  const auto a = testing::LoadAttrText(
      "copies integer 3\nhalftone-graphics keyword dots\n"
      "media-col collection\n  media-color keyword blue\n"
      "force-front-side 1setOf\n  value integer 4\n");
  auto b = testing::LoadAttrText(
      "copies integer 5\nhalftone-graphics keyword lines\n"
      "page-overrides 1setOf\n  value collection\n"
      "    pages 1setOf\n      value rangeOfInteger\n"
      "        lower-bound integer 2\n        upper-bound integer 3\n"
      "    sides keyword one-sided\n"
      "force-front-side 1setOf\n  value integer 4\n  value integer 8\n");
  b->Set(tf::kBackCoverMedia, 7);  // names no slot
  EXPECT_EQ(Shown(DiffTickets(*a, *b)), (std::vector<std::string>{
                                            "copies f f",
                                            "jobMedia.color f m",
                                            "jobMedia.holeCode f m",
                                            "pageOverrideCount f f",
                                            "forceFrontCount f f",
                                            "halftone f f",
                                            "backCoverMedia f f",
                                            "pageOverrides[0].firstPage e f",
                                            "pageOverrides[0].lastPage e f",
                                            "pageOverrides[0].overrideFlags e f",
                                            "pageOverrides[0].sides e f",
                                            "forceFrontPages[1] e f",
                                        }));
}

TEST(Diff, AMediumOfOneEntryOnlyShowsTheFieldsItGives) {
  const std::string sheet =
      "insert-sheet 1setOf\n  value collection\n    insert-count integer 2\n"
      "    media-col collection\n      media-color keyword yellow\n"
      "      media-weight-metric integer 90\n";
  const auto a = testing::LoadAttrText("");
  const auto b = testing::LoadAttrText(sheet);
  EXPECT_EQ(Shown(DiffTickets(*a, *b)), (std::vector<std::string>{
                                            "insertCount f f",
                                            "insertSheets[0].count e f",
                                            "insertSheets[0].media.color e f",
                                            "insertSheets[0].media.weight e f",
                                            "insertSheets[0].media.flags e f",
                                            "insertSheets[0].media.holeCode e f",
                                        }));
  // A medium with nothing to tell against none: the identifiers themselves.
  auto c = testing::LoadAttrText("");
  c->Set(tf::kJobMedia, 0);
  EXPECT_EQ(Shown(DiffTickets(*a, *c)), std::vector<std::string>{"jobMedia f f"});
  c->MediaSlot(0).Set(mf::kGrain, 2);
  EXPECT_EQ(Shown(DiffTickets(*a, *c)), std::vector<std::string>{"jobMedia.grain m f"});
}

TEST(Diff, ARandomTicketEqualsItselfAndWhatItsDocumentLoads) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    const auto a = testing::RandomTicket(seed);
    const auto same = testing::RandomTicket(seed);
    ASSERT_TRUE(DiffTickets(*a, *same).empty()) << "seed " << seed;
    std::unique_ptr<AttrNodeList> document;
    BuildTicketAttributes(*a, document);
    auto loaded = TicketRecord::Allocate();
    InitTicketRecord(*loaded);
    ReadTicketAttributes(*document, *loaded);
    ASSERT_TRUE(DiffTickets(*a, *loaded).empty()) << "seed " << seed;
    // Each way round names the same fields.
    const auto other = testing::RandomTicket(seed + 5000);
    std::vector<std::string> there, back;
    for (const auto& d : DiffTickets(*a, *other)) there.push_back(d.field);
    for (const auto& d : DiffTickets(*other, *a)) back.push_back(d.field);
    ASSERT_EQ(there, back) << "seed " << seed;
    ASSERT_FALSE(there.empty()) << "seed " << seed;
  }
}

}  // namespace
}  // namespace ovrabjt

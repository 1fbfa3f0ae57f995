// A delta's attributes read over a base ticket: what the delta names replaces
// the base's setting, the rest stays; media the result still names keep their
// slots; strings and media no field names do not stay behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"
#include "inspect/attr_dump.h"
#include "operations/attr_copy.h"
#include "operations/diff_tickets.h"
#include "operations/merge_ticket.h"
#include "support/attr_text.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace of = override_field;
namespace mf = media_field;

std::unique_ptr<TicketRecord> Fresh() {
  auto record = TicketRecord::Allocate();
  InitTicketRecord(*record);
  return record;
}

std::unique_ptr<TicketRecord> Load(std::string_view text) { return testing::LoadAttrText(text); }

std::unique_ptr<TicketRecord> Merge(std::string_view base, std::string_view delta) {
  auto record = Load(base);
  MergeTicketAttributes(*testing::ParseAttrText(delta), *record);
  return record;
}

std::string Describe(const std::vector<TicketDifference>& differences) {
  std::string text;
  for (const TicketDifference& d : differences) text += "  " + d.field + "\n";
  return text;
}

std::vector<std::string> Strings(const TicketRecord& record) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < record.strings.size(); ++i) texts.push_back(record.strings.at(i));
  return texts;
}

std::string StringOf(const TicketRecord& record, Field<std::uint16_t> field) {
  std::string text;
  EXPECT_TRUE(ReadTicketString(record, record.Get(field), text));
  return text;
}

const std::string kBlueCover =
    "cover-front collection\n"
    "  media-col collection\n"
    "    media-color keyword blue\n"
    "  cover-type keyword print-front\n";

TEST(Merge, EachRuleGivesTheTicketOfItsDocument) {
  const struct {
    const char* rule;
    std::string base;
    std::string delta;
    std::string expected;  // the document whose load the merge gives
  } cases[] = {
      {"a named setting is replaced and the others stay",
       "copies integer 3\nsides keyword two-sided-long-edge\njob-name name q3\n",
       "copies integer 5\n",
       "copies integer 5\nsides keyword two-sided-long-edge\njob-name name q3\n"},
      {"a keyword outside its table leaves the base's setting",
       "sides keyword two-sided-long-edge\n", "sides keyword sideways\n",
       "sides keyword two-sided-long-edge\n"},
      {"one image shift keeps the other three as the base has them",
       "x-side1-image-shift integer -300\n", "y-side2-image-shift integer 500\n",
       "x-side1-image-shift integer -300\ny-side2-image-shift integer 500\n"},
      {"page overrides are replaced as a whole",
       "page-overrides 1setOf\n"
       "  value collection\n"
       "    pages 1setOf\n      value rangeOfInteger\n"
       "        lower-bound integer 1\n        upper-bound integer 1\n"
       "    sides keyword one-sided\n"
       "  value collection\n"
       "    pages 1setOf\n      value rangeOfInteger\n"
       "        lower-bound integer 4\n        upper-bound integer 5\n"
       "    halftone-graphics keyword dots\n",
       "page-overrides 1setOf\n"
       "  value collection\n"
       "    pages 1setOf\n      value rangeOfInteger\n"
       "        lower-bound integer 9\n        upper-bound integer 9\n"
       "    page-rotation keyword rotate-90\n",
       "page-overrides 1setOf\n"
       "  value collection\n"
       "    pages 1setOf\n      value rangeOfInteger\n"
       "        lower-bound integer 9\n        upper-bound integer 9\n"
       "    page-rotation keyword rotate-90\n"},
      {"inserted sheets are replaced as a whole",
       "insert-sheet 1setOf\n"
       "  value collection\n    insert-after-page-number integer 2\n    insert-count integer 1\n"
       "  value collection\n    insert-after-page-number integer 8\n    insert-count integer 3\n",
       "insert-sheet 1setOf\n"
       "  value collection\n    insert-after-page-number integer 5\n    insert-count integer 2\n",
       "insert-sheet 1setOf\n"
       "  value collection\n    insert-after-page-number integer 5\n    insert-count integer 2\n"},
      {"force-front pages are replaced as a whole",
       "force-front-side 1setOf\n  value integer 3\n  value integer 7\n",
       "force-front-side 1setOf\n  value integer 9\n",
       "force-front-side 1setOf\n  value integer 9\n"},
      {"an imposition template replaces the template and signature imposition",
       "imposition-template name booklet\nimposition-template name signature\n",
       "imposition-template name saddle\n", "imposition-template name saddle\n"},
      {"a colour emulation replaces its code and its name", "color-emulation keyword swop\n",
       "color-emulation keyword euro-standard\n", "color-emulation keyword euro-standard\n"},
      {"a back cover keeps the base's front cover", kBlueCover,
       "cover-back collection\n  cover-type keyword print-back\n",
       kBlueCover + "cover-back collection\n  cover-type keyword print-back\n"},
      {"a front cover keeps the base's back cover",
       "cover-back collection\n  cover-type keyword print-back\n", kBlueCover,
       kBlueCover + "cover-back collection\n  cover-type keyword print-back\n"},
      {"a front cover replaces the base's front cover", kBlueCover,
       "cover-front collection\n  cover-type keyword print-both\n",
       "cover-front collection\n  cover-type keyword print-both\n"},
      {"the job's medium is replaced",
       "media-col collection\n  media-color keyword white\n  media-weight-metric integer 80\n",
       "media-col collection\n  media-color keyword blue\n",
       "media-col collection\n  media-color keyword blue\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    const auto merged = Merge(c.base, c.delta);
    const auto expected = Load(c.expected);
    const auto differences = DiffTickets(*expected, *merged);
    EXPECT_TRUE(differences.empty()) << Describe(differences);
  }
}

TEST(Merge, TheDeltasTrapWidthsAreReadWhateverTheBasesTrapping) {
  auto merged = Merge("trapping keyword off\n", "trap-width-fast integer 3\n");
  EXPECT_EQ(merged->Get(tf::kTrapping), 2);
  EXPECT_EQ(merged->Get(tf::kTrapWidthFast), 3);
  EXPECT_EQ(merged->Get(tf::kJobFlags) & job_flag::kTrapWidthFast, 0);
  EXPECT_EQ(Merge("trapping keyword all\n", "copies integer 1\n")->Get(tf::kTrapping), 4);
  // Trapping off in the delta: its widths are not read, the base's stay.
  merged = Merge("trapping keyword all\ntrap-width-fast integer 2\n",
                 "trapping keyword off\ntrap-width-fast integer 3\n");
  EXPECT_EQ(merged->Get(tf::kTrapping), 2);
  EXPECT_EQ(merged->Get(tf::kTrapWidthFast), 2);
}

TEST(Merge, SettingsALoadNeverReadsBackStayAsTheBaseHasThem) {
  auto merged = Load("job-name name report\n");
  merged->Set(tf::kSaveDisposition, 4);
  merged->Set(tf::kSaveFormat, 8);
  merged->SetText(tf::kSavePath, "finance");
  merged->SetText(tf::kDocumentName, "q3.pdf");
  MergeTicketAttributes(*testing::ParseAttrText("job-save-disposition collection\n"
                                                "  save-disposition keyword none\n"
                                                "document-uri uri file:///job-repository/x.ps\n"
                                                "job-name name summary\n"),
                        *merged);
  EXPECT_EQ(merged->Get(tf::kSaveDisposition), 4);
  EXPECT_EQ(merged->Get(tf::kSaveFormat), 8);
  EXPECT_EQ(merged->Text(tf::kSavePath), "finance");
  EXPECT_EQ(merged->Text(tf::kDocumentName), "q3.pdf");
  EXPECT_EQ(merged->Text(tf::kJobName), "summary");
}

TEST(Merge, CoversTheBasesDocumentDoesNotGiveStayAsTheyAre) {
  // A front cover only, with back-cover fields a driver left behind that
  // match it: a load would read such covers as alike, but the base's
  // document has no back cover, with or without a front cover in the delta.
  for (const char* delta :
       {"copies integer 2\n", "cover-front collection\n  cover-type keyword print-front\n"}) {
    SCOPED_TRACE(delta);
    auto merged = Fresh();
    merged->Set(tf::kCoverMode, 2);
    merged->Set(tf::kFrontCoverPrint, 2);
    merged->Set(tf::kBackCoverPrint, 2);
    MergeTicketAttributes(*testing::ParseAttrText(delta), *merged);
    EXPECT_EQ(merged->Get(tf::kCoverMode), 2);
  }
}

TEST(Merge, MediaTheResultStillNamesKeepTheirSlotsByteForByte) {
  const std::string base_text =
      "media-col collection\n  media-color keyword white\n" +
      std::string(
          "cover-front collection\n  media-col collection\n    media-color keyword pink\n"
          "  cover-type keyword print-front\n") +
      "insert-sheet 1setOf\n  value collection\n    insert-count integer 1\n"
      "    media-col collection\n      media-color keyword yellow\n";
  const struct {
    const char* what;
    const char* delta;
    std::uint32_t job_media;  // the id the job's medium ends up with
  } cases[] = {
      // Slot 0 is named by nothing else, so the new medium takes it.
      {"a new medium takes the slot only the job named",
       "media-col collection\n  media-color keyword blue\n", 0},
      // The cover's medium is found where it is; slot 0 is left untouched.
      {"a medium the base has shares its slot",
       "media-col collection\n  media-color keyword pink\n", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto base = Load(base_text);
    ASSERT_EQ(base->Get(tf::kFrontCoverMedia), 1u);
    ASSERT_EQ(base->Insert(0).Get(insert_field::kMedia), 2u);
    auto merged = Load(base_text);
    MergeTicketAttributes(*testing::ParseAttrText(c.delta), *merged);
    EXPECT_EQ(merged->Get(tf::kJobMedia), c.job_media);
    for (std::size_t slot : {1u, 2u})
      EXPECT_TRUE(std::equal(base->MediaSlot(slot).data(),
                             base->MediaSlot(slot).data() + kMediaRecordSize,
                             merged->MediaSlot(slot).data()))
          << "slot " << slot;
    MediaBytes untouched{};
    InitMediaRecord(MediaView(untouched));
    for (std::size_t slot = 3; slot < kMediaSlots; ++slot)
      EXPECT_TRUE(std::equal(untouched.begin(), untouched.end(), merged->MediaSlot(slot).data()))
          << "slot " << slot;
    if (c.job_media != 0) {
      EXPECT_TRUE(std::equal(untouched.begin(), untouched.end(), merged->MediaSlot(0).data()))
          << "the job's old medium stays behind";
    }
  }
}

TEST(Merge, AMediumThatLooksUntouchedIsNotTakenWhileTheBaseNamesIt) {
  // A driver's ticket may name a slot at the defaults of an untouched medium;
  // grain does not tell media apart, so this one looks free.
  auto merged = Fresh();
  merged->Set(tf::kCoverMode, 2);
  merged->Set(tf::kFrontCoverMedia, 0);
  merged->MediaSlot(0).Set(mf::kGrain, 2);
  MergeTicketAttributes(
      *testing::ParseAttrText("media-col collection\n  media-color keyword blue\n"), *merged);
  EXPECT_EQ(merged->MediaSlot(0).Get(mf::kGrain), 2);
  EXPECT_EQ(merged->Get(tf::kFrontCoverMedia), 0u);
  EXPECT_EQ(merged->Get(tf::kJobMedia), 1u);
  EXPECT_EQ(merged->MediaSlot(1).Get(mf::kColor), 8);
}

TEST(Merge, AMediumNoFieldNamesAfterTheMergeDoesNotStay) {
  // An override without pages makes no record, so nothing names its medium.
  auto merged = Fresh();
  MergeTicketAttributes(*testing::ParseAttrText("page-overrides 1setOf\n  value collection\n"
                                                "    media-col collection\n"
                                                "      media-color keyword blue\n"),
                        *merged);
  EXPECT_EQ(merged->Get(tf::kPageOverrideCount), 0);
  MediaBytes untouched{};
  InitMediaRecord(MediaView(untouched));
  for (std::size_t slot = 0; slot < kMediaSlots; ++slot)
    EXPECT_TRUE(std::equal(untouched.begin(), untouched.end(), merged->MediaSlot(slot).data()))
        << "slot " << slot;
}

TEST(Merge, StringsNoFieldNamesAreRemovedAndTheOthersRenumbered) {
  auto merged = Load(
      "trc collection\n  trc-name name shared\n"
      "halftone-graphics keyword job-dots\n"
      "page-overrides 1setOf\n"
      "  value collection\n"
      "    pages 1setOf\n      value rangeOfInteger\n"
      "        lower-bound integer 1\n        upper-bound integer 1\n"
      "    halftone-graphics keyword page-dots\n"
      "    trc collection\n      trc-name name shared\n");
  ASSERT_EQ(Strings(*merged), (std::vector<std::string>{"shared", "job-dots", "page-dots"}));
  MergeTicketAttributes(*testing::ParseAttrText("page-overrides 1setOf\n"
                                                "  value collection\n"
                                                "    pages 1setOf\n      value rangeOfInteger\n"
                                                "        lower-bound integer 2\n"
                                                "        upper-bound integer 2\n"
                                                "    halftone-graphics keyword new-dots\n"),
                        *merged);
  EXPECT_EQ(Strings(*merged), (std::vector<std::string>{"shared", "job-dots", "new-dots"}));
  EXPECT_EQ(merged->Get(tf::kStringCount), 3);
  EXPECT_EQ(StringOf(*merged, tf::kTrcName), "shared");
  EXPECT_EQ(StringOf(*merged, tf::kHalftone), "job-dots");
  EXPECT_EQ(StringOf(*merged, At(OverrideOffset(0), of::kHalftone)), "new-dots");
  EXPECT_EQ(merged->Override(0).Get(of::kTrcName), 0);
}

TEST(Merge, AnEmptyDeltaDropsOnlyTheStringsNoFieldNames) {
  auto base = Load("halftone-graphics keyword dots\n");
  base->strings.Append("forgotten");
  base->Set(tf::kStringCount, 2);
  MergeTicketAttributes(AttrNodeList(), *base);
  EXPECT_EQ(Strings(*base), std::vector<std::string>{"dots"});
  EXPECT_EQ(base->Get(tf::kStringCount), 1);
}

// The three properties, over records drawn at random. Ten media at most
// each, so that the base's and the delta's media fit one table.
const testing::TicketShape kShape{.max_media = 10};

std::unique_ptr<AttrNodeList> DocumentOf(const TicketRecord& record) {
  std::unique_ptr<AttrNodeList> list;
  EXPECT_FALSE(BuildTicketAttributes(record, list));
  return list;
}

TEST(MergeProperties, ATicketsOwnDocumentOverAFreshTicketGivesTheTicket) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    const auto a = testing::RandomTicket(seed, kShape);
    auto merged = Fresh();
    MergeTicketAttributes(*DocumentOf(*a), *merged);
    const auto differences = DiffTickets(*a, *merged);
    ASSERT_TRUE(differences.empty()) << "seed " << seed << ":\n" << Describe(differences);
  }
}

TEST(MergeProperties, AnEmptyDeltaOverAnyTicketGivesThatTicket) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    const auto a = testing::RandomTicket(seed);
    auto merged = testing::RandomTicket(seed);
    MergeTicketAttributes(AttrNodeList(), *merged);
    const auto differences = DiffTickets(*a, *merged);
    ASSERT_TRUE(differences.empty()) << "seed " << seed << ":\n" << Describe(differences);
    // A loaded ticket holds only what its fields name: not a byte changes.
    auto loaded = Fresh();
    ReadTicketAttributes(*DocumentOf(*a), *loaded);
    auto again = Fresh();
    ReadTicketAttributes(*DocumentOf(*a), *again);
    MergeTicketAttributes(AttrNodeList(), *again);
    ASSERT_EQ(loaded->bytes, again->bytes) << "seed " << seed;
    ASSERT_EQ(Strings(*loaded), Strings(*again)) << "seed " << seed;
  }
}

// What B keeps under A's document: the image-shift, copy and other absence
// bits that A's document does not clear.
std::uint16_t MergedJobFlags(const TicketRecord& a, const TicketRecord& b) {
  return static_cast<std::uint16_t>(a.Get(tf::kJobFlags) & b.Get(tf::kJobFlags));
}

std::string CoverOf(const TicketRecord& record, std::string_view name) {
  const auto document = DocumentOf(record);
  const AttrNode* cover = document->FindNode(name, 0);
  if (cover == nullptr) return "";
  AttrNodeList one;
  one.Append(CopyAttrNode(*cover));
  return DumpAttrList(one);
}

TEST(MergeProperties, ADocumentOverAnotherTicketGivesEveryFieldTheDocumentCarries) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const auto a = testing::RandomTicket(seed, kShape);
    const auto b = testing::RandomTicket(seed + 100000, kShape);
    auto merged = testing::RandomTicket(seed + 100000, kShape);
    MergeTicketAttributes(*DocumentOf(*a), *merged);
    const auto fresh = Fresh();
    const auto names = [](const std::vector<TicketDifference>& differences) {
      std::vector<std::string> fields;
      for (const TicketDifference& d : differences) fields.push_back(d.field);
      return fields;
    };
    // A field A gives differs from a fresh ticket's; a field A's document
    // does not carry stays as B has it.
    const auto given_by_a = names(DiffTickets(*fresh, *a));
    const auto changed_from_b = names(DiffTickets(*b, *merged));
    for (const TicketDifference& d : DiffTickets(*a, *merged)) {
      if (d.field == "jobFlags") {
        EXPECT_EQ(merged->Get(tf::kJobFlags), MergedJobFlags(*a, *b));
      } else if (d.field != "coverMode") {
        EXPECT_EQ(std::count(given_by_a.begin(), given_by_a.end(), d.field), 0)
            << d.field << " is given by A's document but not merged";
        EXPECT_EQ(std::count(changed_from_b.begin(), changed_from_b.end(), d.field), 0)
            << d.field << " is neither A's nor B's";
      }
    }
    // Each cover is A's when A's document has it, else B's.
    for (std::string_view cover : {"cover-front", "cover-back"}) {
      const std::string from_a = CoverOf(*a, cover);
      EXPECT_EQ(CoverOf(*merged, cover), from_a.empty() ? CoverOf(*b, cover) : from_a) << cover;
    }
  }
}

TEST(MergeDocument, ADeltaThatDoesNotValidateLeavesTheBaseAsItWas) {
  const std::string base_name = OVRABJT_SOURCE_DIR "/data/delta.xml";
  const struct {
    const char* what;
    std::string text;
    bool fails;
  } cases[] = {
      {"a valid delta",
       "<job-template-attributes><copies syntax=\"integer\">7</copies>"
       "</job-template-attributes>",
       false},
      {"an element the document type lacks",
       "<job-template-attributes><copies syntax=\"integer\">7</copies><bogus/>"
       "</job-template-attributes>",
       true},
      {"a document that is not well-formed",
       "<job-template-attributes><copies syntax=\"integer\">7</job-template-attributes>", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n<ovra version=\"1.0\">" +
        c.text + "</ovra>";
    VelmorXmlDataStream source(kOvraDocument, nullptr, base_name.c_str());
    source.SetInput(text.data(), static_cast<std::uint32_t>(text.size()));
    const auto base = Load("copies integer 3\nhalftone-graphics keyword dots\n");
    auto merged = Load("copies integer 3\nhalftone-graphics keyword dots\n");
    std::optional<OvraParseException> error;
    EXPECT_EQ(MergeTicketDocument(source, *merged, &error), c.fails);
    EXPECT_EQ(error.has_value(), c.fails);
    EXPECT_EQ(merged->Get(tf::kCopies), c.fails ? 3 : 7);
    if (c.fails) {
      EXPECT_EQ(merged->bytes, base->bytes);
      EXPECT_EQ(Strings(*merged), Strings(*base));
    }
  }
}

}  // namespace
}  // namespace ovrabjt

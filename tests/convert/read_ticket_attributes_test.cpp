#include <gtest/gtest.h>

#include <string>

#include "convert/ticket_conversion.h"
#include "support/attr_text.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace of = override_field;

class ReadTicket : public ::testing::Test {
 protected:
  ReadTicket() {
    InitTicketRecord(fresh);
    InitTicketRecord(rec);
  }
  void Read(std::string_view text) {
    auto list = testing::ParseAttrText(text);
    ReadTicketAttributes(*list, rec);
  }
  std::string String(Field<std::uint16_t> f) {
    std::string out;
    EXPECT_TRUE(ReadTicketString(rec, rec.Get(f), out));
    return out;
  }

  std::unique_ptr<TicketRecord> fresh_owner = TicketRecord::Allocate();
  std::unique_ptr<TicketRecord> owner = TicketRecord::Allocate();
  TicketRecord& fresh = *fresh_owner;
  TicketRecord& rec = *owner;
};

TEST_F(ReadTicket, EmptyListLeavesTheDefaults) {
  Read("");
  EXPECT_EQ(rec.bytes, fresh.bytes);
  EXPECT_EQ(rec.Get(tf::kJobFlags), 0x7FFF);
  EXPECT_TRUE(rec.strings.empty());
}

TEST_F(ReadTicket, DefaultsOfAFreshRecord) {
  EXPECT_EQ(fresh.Get(tf::kFinishing), 128);
  EXPECT_EQ(fresh.Get(tf::kLastPage), 99999);
  EXPECT_EQ(fresh.Get(tf::kJobMedia), kNoMedia);
  EXPECT_EQ(fresh.Get(tf::kReserved110), 75);
  EXPECT_EQ(fresh.Get(tf::kOrientation), 4);
  EXPECT_EQ(fresh.Get(tf::kStringsSize), 0u);
  for (std::size_t i : {0u, 249u}) {
    EXPECT_EQ(fresh.Override(i).Get(of::kFlagsWord), 0x1FBF) << i;
    EXPECT_EQ(fresh.Override(i).Get(of::kSides), 8) << i;
    EXPECT_EQ(fresh.Override(i).Get(of::kPageRotation), 32) << i;
    EXPECT_EQ(fresh.Override(i).Get(of::kTrapping), 1) << i;
    EXPECT_EQ(fresh.Override(i).Get(of::kColorEmulation), 0) << i;
    EXPECT_EQ(fresh.Insert(i).Get(insert_field::kMedia), kNoMedia) << i;
  }
  // Every media slot holds a fresh medium.
  for (std::size_t k = 0; k < kMediaSlots; ++k)
    EXPECT_EQ(fresh.MediaSlot(k).Get(media_field::kSizeCode), 512u) << k;
}

TEST_F(ReadTicket, CopiesAndShiftsClearTheirFlags) {
  Read("copies integer 3\nx-side1-image-shift integer -250\n");
  EXPECT_EQ(rec.Get(tf::kCopies), 3);
  EXPECT_EQ(rec.Get(tf::kShiftX1), -2);
  EXPECT_EQ(rec.Get(tf::kJobFlags), 0x7FFF & ~0x0010 & ~0x000F);
}

TEST_F(ReadTicket, FinishingsKeepTheDefaultForUnknownNumbers) {
  Read("finishings 1setOf\n  value enum 23\n");
  EXPECT_EQ(rec.Get(tf::kFinishing), 2048);
  InitTicketRecord(rec);
  Read("finishings 1setOf\n  value enum 24\n");
  EXPECT_EQ(rec.Get(tf::kFinishing), 128);
  InitTicketRecord(rec);
  Read("finishings-template collection\n  finishing-template name " + std::string(40, 't') + "\n");
  EXPECT_EQ(rec.Get(tf::kFinishing), 256);
  EXPECT_EQ(rec.Text(tf::kFinishingTemplate), std::string(30, 't'));
  InitTicketRecord(rec);
  Read("separator-sheets collection\n  separator-sheets-type keyword Slip-Sheets\n");
  EXPECT_EQ(rec.Get(tf::kFinishing), 32);
}

TEST_F(ReadTicket, KeywordsIgnoreCaseAndTextsAreCut) {
  Read(
      "sheet-collate keyword Collated\n"
      "page-rotation keyword ROTATE-180\n"
      "document-format mimeMediaType Application/PDF\n"
      "job-phone-number text 123456789012345678901234567890\n"
      "orientation-requested enum 4\n");
  EXPECT_EQ(rec.Get(tf::kCollate), 1);
  EXPECT_EQ(rec.Get(tf::kPageRotation), 4);
  EXPECT_EQ(rec.Get(tf::kDocumentFormat), 64);
  EXPECT_EQ(rec.Text(tf::kPhoneNumber), "1234567890123456789");
  EXPECT_EQ(rec.Get(tf::kOrientation), 2);
}

TEST_F(ReadTicket, Covers) {
  Read("cover-front collection\n  cover-type keyword print-front\n");
  EXPECT_EQ(rec.Get(tf::kCoverMode), 2);
  EXPECT_EQ(rec.Get(tf::kFrontCoverPrint), 2);
  InitTicketRecord(rec);
  Read(
      "cover-front collection\n  cover-type keyword print-front\n"
      "cover-back collection\n  cover-type keyword print-back\n");
  EXPECT_EQ(rec.Get(tf::kCoverMode), 16);
  InitTicketRecord(rec);
  const char* both =
      "cover-front collection\n  media-col collection\n    media-color keyword blue\n"
      "  cover-type keyword print-both\n"
      "cover-back collection\n  cover-type keyword print-both\n"
      "  media-col collection\n    media-color keyword blue\n";
  Read(both);
  EXPECT_EQ(rec.Get(tf::kCoverMode), 8);
  EXPECT_EQ(rec.Get(tf::kFrontCoverMedia), 0u);
  EXPECT_EQ(rec.Get(tf::kBackCoverMedia), 0u);
  InitTicketRecord(rec);
  Read("cover-front collection\n  cover-type keyword print-none\n");
  EXPECT_EQ(rec.Get(tf::kCoverMode), 8);
  EXPECT_EQ(rec.Get(tf::kFrontCoverMedia), kNoMedia);
  EXPECT_EQ(rec.Get(tf::kBackCoverMedia), kNoMedia);
  InitTicketRecord(rec);
  Read("cover-front collection\n  media-col collection\n    media-color keyword red\n");
  EXPECT_EQ(rec.Get(tf::kCoverMode), 1);
  EXPECT_EQ(rec.Get(tf::kFrontCoverMedia), 0u);
}

TEST_F(ReadTicket, EachPageRangeOfAnOverrideBecomesARecord) {
  Read(
      "page-overrides 1setOf\n"
      "  value collection\n"
      "    sides keyword two-sided-short-edge\n"
      "    x-side1-image-shift integer 1234\n"
      "    pages 1setOf\n"
      "      value rangeOfInteger\n        lower-bound integer 1\n        upper-bound integer 2\n"
      "      value rangeOfInteger\n        lower-bound integer 5\n        upper-bound integer 5\n");
  ASSERT_EQ(rec.Get(tf::kPageOverrideCount), 2);
  const ConstFieldView a = rec.Override(0), b = rec.Override(1);
  EXPECT_EQ(a.Get(of::kFirstPage), 1);
  EXPECT_EQ(a.Get(of::kLastPage), 2);
  EXPECT_EQ(b.Get(of::kFirstPage), 5);
  EXPECT_EQ(b.Get(of::kLastPage), 5);
  EXPECT_TRUE(std::equal(a.data() + 8, a.data() + kOverrideRecordSize, b.data() + 8));
  EXPECT_EQ(a.Get(of::kSides), 4);
  EXPECT_EQ(a.Get(of::kShiftX1), 12);
  EXPECT_EQ(a.Get(of::kFlags), 0xBF & ~0x20 & ~0x01);
}

TEST_F(ReadTicket, AnOverrideWithoutPagesAddsNoRecord) {
  Read(
      "page-overrides 1setOf\n"
      "  value collection\n    sides keyword one-sided\n"
      "  value collection\n    pages 1setOf\n"
      "      value rangeOfInteger\n        lower-bound integer 3\n        upper-bound integer 4\n");
  ASSERT_EQ(rec.Get(tf::kPageOverrideCount), 1);
  // The second entry filled record 0 afresh over the first one's settings,
  // except what it did not set.
  EXPECT_EQ(rec.Override(0).Get(of::kFirstPage), 3);
}

TEST_F(ReadTicket, CountsStopAtTheRecordsEnd) {
  std::string text = "page-overrides 1setOf\n  value collection\n    pages 1setOf\n";
  for (int i = 1; i <= 251; ++i)
    text += "      value rangeOfInteger\n        lower-bound integer " + std::to_string(i) +
            "\n        upper-bound integer " + std::to_string(i) + "\n";
  text += "force-front-side 1setOf\n";
  for (int i = 0; i < 300; ++i) text += "  value integer " + std::to_string(i) + "\n";
  text += "insert-sheet 1setOf\n";
  for (int i = 0; i < 260; ++i) text += "  value collection\n    insert-count integer 1\n";
  Read(text);
  EXPECT_EQ(rec.Get(tf::kPageOverrideCount), 250);
  EXPECT_EQ(rec.Override(249).Get(of::kFirstPage), 250);
  EXPECT_EQ(rec.Get(tf::kForceFrontCount), 250);
  EXPECT_EQ(rec.Get(ForceFrontPage(249)), 249);
  EXPECT_EQ(rec.Get(tf::kInsertCount), 250);
  // Nothing behind the last force-front page was touched.
  EXPECT_EQ(rec.Get(tf::kStringsSize), 0u);
}

TEST_F(ReadTicket, ImpositionTemplateAndSignature) {
  Read("imposition-template name signature\n");
  EXPECT_EQ(rec.Get(tf::kSignature), 2);
  EXPECT_EQ(String(tf::kImpositionTemplate), "signature");
  // A template and a signature both survive.
  InitTicketRecord(rec);
  Read("imposition-template name booklet\nimposition-template name signature\n");
  EXPECT_EQ(rec.Get(tf::kSignature), 2);
  EXPECT_EQ(String(tf::kImpositionTemplate), "booklet");
}

TEST_F(ReadTicket, FontNameAndSize) {
  Read("font-name-requested name Courier\nfont-size-requested integer 70012\n");
  EXPECT_EQ(rec.Text(tf::kFontName), "Courier");
  EXPECT_EQ(rec.Get(tf::kFontSize), 70012 & 0xFFFF);
  EXPECT_EQ(rec.Get(tf::kJobFlags), 0x7FFF & ~0x0080 & ~0x0100);
}

// A job-level text that equals the first text of the override being filled
// must survive the override's second text replacing it.
TEST_F(ReadTicket, TheOverrideBeingFilledHoldsItsStrings) {
  Read(
      "undefined-source-rgb-graphics keyword shared\n"
      "page-overrides 1setOf\n"
      "  value collection\n"
      "    undefined-source-rgb-graphics keyword shared\n"
      "    undefined-source-rgb-text keyword own\n"
      "    pages 1setOf\n"
      "      value rangeOfInteger\n        lower-bound integer 1\n        upper-bound integer 1\n");
  EXPECT_EQ(String(tf::kUndefinedSourceRgb), "shared");
  EXPECT_EQ(String(At(OverrideOffset(0), of::kUndefinedSourceRgb)), "own");
  EXPECT_EQ(rec.strings.size(), rec.Get(tf::kStringCount));
  EXPECT_EQ(rec.Get(tf::kPageOverrideCount), 1);
}

TEST_F(ReadTicket, JobMediumAndInsertedSheetMedia) {
  Read(
      "media-col collection\n  media-color keyword blue\n"
      "insert-sheet 1setOf\n"
      "  value collection\n    insert-after-page-number integer 3\n"
      "    media-col collection\n      media-color keyword BLUE\n"
      "  value collection\n    insert-count integer 2\n");
  EXPECT_EQ(rec.Get(tf::kJobMedia), 0u);
  ASSERT_EQ(rec.Get(tf::kInsertCount), 2);
  EXPECT_EQ(rec.Insert(0).Get(insert_field::kMedia), 0u);  // the same medium, the same slot
  EXPECT_EQ(rec.Insert(0).Get(insert_field::kAfterPage), 3);
  EXPECT_EQ(rec.Insert(1).Get(insert_field::kMedia), kNoMedia);
  EXPECT_EQ(rec.Insert(1).Get(insert_field::kCount), 2);
}

}  // namespace
}  // namespace ovrabjt

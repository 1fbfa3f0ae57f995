#include <gtest/gtest.h>

#include <string>

#include "attr/attr_dump.h"
#include "convert/media/media_table.h"
#include "convert/ticket_conversion.h"
#include "support/attr_text.h"

namespace ovrabjt {
namespace {

namespace tf = ticket_field;
namespace of = override_field;

class BuildTicket : public ::testing::Test {
 protected:
  BuildTicket() { InitTicketRecord(rec); }

  std::string Dump() {
    std::unique_ptr<AttrNodeList> list;
    EXPECT_FALSE(BuildTicketAttributes(rec, list));
    return DumpAttrList(*list);
  }
  // The dump of the first top-level attribute of that name, with its members.
  std::string DumpOf(std::string_view name) {
    const std::string text = Dump();
    const std::string head = std::string(name) + " (";
    std::size_t at = 0;
    while (at < text.size() && text.compare(at, head.size(), head) != 0)
      at = text.find('\n', at) + 1;
    if (at >= text.size()) return "";
    std::size_t end = text.find('\n', at);
    while (end + 1 < text.size() && text[end + 1] == ' ') end = text.find('\n', end + 1);
    return text.substr(at, end + 1 - at);
  }
  void StoreMedium(std::string_view members_text, std::uint32_t& id) {
    auto list = testing::ParseAttrText(members_text);
    ASSERT_TRUE(ReadMediaCol(*list, rec, id));
  }

  std::unique_ptr<TicketRecord> owner = TicketRecord::Allocate();
  TicketRecord& rec = *owner;
};

TEST_F(BuildTicket, FreshRecordCarriesOnlyTheSaveDisposition) {
  EXPECT_EQ(Dump(),
            "job-save-disposition (collection):\n"
            "  save-disposition (keyword) = none\n");
}

TEST_F(BuildTicket, FinishingsAndTemplates) {
  rec.Set(tf::kFinishing, 2048);
  EXPECT_EQ(DumpOf("finishings"), "finishings (1setOf):\n  value (enum) = 23\n");
  rec.Set(tf::kFinishing, 2);
  EXPECT_EQ(DumpOf("finishings"), "finishings (1setOf):\n  value (enum) = 20\n");
  rec.Set(tf::kFinishing, 128);
  EXPECT_EQ(DumpOf("finishings"), "");
  rec.Set(tf::kFinishing, 256);
  rec.SetText(tf::kFinishingTemplate, "saddle");
  EXPECT_EQ(DumpOf("finishings-col"),
            "finishings-col (collection):\n  finishing-template (name) = saddle\n");
  EXPECT_EQ(DumpOf("finishings"), "");
}

TEST_F(BuildTicket, SeparatorSheetsAreBlueUnlessTheJobMediumIsBlue) {
  rec.Set(tf::kFinishing, 32);
  const std::string blue_sheets =
      "separator-sheets (collection):\n"
      "  separator-sheets-type (keyword) = slip-sheets\n"
      "  media-col (collection):\n"
      "    media-hole-count (integer) = 0\n"
      "    media-color (keyword) = blue\n";
  EXPECT_EQ(DumpOf("separator-sheets"), blue_sheets);  // no job medium

  std::uint32_t id = 0;
  StoreMedium(
      "media-col collection\n  media-color keyword blue\n  media-weight-metric integer 80\n", id);
  rec.Set(tf::kJobMedia, id);
  EXPECT_EQ(DumpOf("separator-sheets"),
            "separator-sheets (collection):\n"
            "  separator-sheets-type (keyword) = slip-sheets\n"
            "  media-col (collection):\n"
            "    media-color (keyword) = white\n"
            "    media-weight-metric (integer) = 80\n");

  StoreMedium("media-col collection\n  media-color keyword pink\n", id);
  rec.Set(tf::kJobMedia, id);
  EXPECT_EQ(DumpOf("separator-sheets"),
            "separator-sheets (collection):\n"
            "  separator-sheets-type (keyword) = slip-sheets\n"
            "  media-col (collection):\n"
            "    media-color (keyword) = blue\n");
  // An identifier that names no slot is no medium.
  rec.Set(tf::kJobMedia, 3);
  EXPECT_EQ(DumpOf("separator-sheets"), blue_sheets);
}

TEST_F(BuildTicket, SaveDispositionJoinsFolderAndName) {
  rec.Set(tf::kSaveDisposition, 4);
  rec.Set(tf::kSaveFormat, 2);
  rec.SetText(tf::kSavePath, "jobs");
  rec.SetText(tf::kJobName, "report");
  const std::string want =
      "job-save-disposition (collection):\n"
      "  save-disposition (keyword) = print-save\n"
      "  save-info (1setOf):\n"
      "    value (collection):\n"
      "      save-document-format (mimeMediaType) = application/X-single-page-tiff\n"
      "      save-name (name) = jobs/report\n"
      "      save-location (uri) = file:///job-repository/\n";
  EXPECT_EQ(DumpOf("job-save-disposition"), want);

  struct Case {
    const char* path;
    const char* file;
    const char* want;
  } cases[] = {
      {"jobs/", "x", "jobs/x"}, {"", "x", "x"}, {"", "", "report"}, {"a/b", "", "a/b/report"}};
  for (const Case& c : cases) {
    rec.SetText(tf::kSavePath, c.path);
    rec.SetText(tf::kSaveName, c.file);
    EXPECT_NE(
        DumpOf("job-save-disposition").find(std::string("save-name (name) = ") + c.want + "\n"),
        std::string::npos)
        << c.path << "|" << c.file;
  }
  rec.Set(tf::kSaveDisposition, 8);
  EXPECT_EQ(DumpOf("job-save-disposition"), "");
}

TEST_F(BuildTicket, DocumentUriJoinsRepositoryFolderAndName) {
  struct Case {
    const char* path;
    const char* file;
    const char* want;
  } cases[] = {
      {"a/b/", "x.ps", "file:///job-repository/a/b/x.ps"},
      {"/a", "", "file:///job-repository/a/"},
      {"", "x.ps", "file:///job-repository/x.ps"},
      {"/", "x", "file:///job-repository/x"},
      {"", "", nullptr},
  };
  for (const Case& c : cases) {
    rec.SetText(tf::kDocumentPath, c.path);
    rec.SetText(tf::kDocumentName, c.file);
    EXPECT_EQ(DumpOf("document-uri"),
              c.want ? std::string("document-uri (uri) = ") + c.want + "\n" : "")
        << c.path << "|" << c.file;
  }
}

TEST_F(BuildTicket, ShiftsAreWrittenTogetherInHundredths) {
  rec.Set(tf::kShiftX1, -3);
  EXPECT_EQ(DumpOf("x-side1-image-shift"), "");
  rec.Set(tf::kJobFlags, job_flag::kAllAbsent & ~job_flag::kShifts);
  rec.Set(tf::kShiftY2, 7);
  const std::string dump = Dump();
  EXPECT_NE(dump.find("x-side1-image-shift (integer) = -300\n"
                      "x-side2-image-shift (integer) = 0\n"
                      "y-side1-image-shift (integer) = 0\n"
                      "y-side2-image-shift (integer) = 700\n"),
            std::string::npos)
      << dump;
}

TEST_F(BuildTicket, CoversPrintedAlikeCarryTheFrontPrintTwice) {
  rec.Set(tf::kCoverMode, 8);
  rec.Set(tf::kFrontCoverPrint, 2);
  rec.Set(tf::kBackCoverPrint, 4);
  EXPECT_EQ(DumpOf("cover-front"),
            "cover-front (collection):\n  cover-type (keyword) = print-front\n");
  EXPECT_EQ(DumpOf("cover-back"),
            "cover-back (collection):\n  cover-type (keyword) = print-front\n");
  rec.Set(tf::kCoverMode, 16);
  EXPECT_EQ(DumpOf("cover-back"),
            "cover-back (collection):\n  cover-type (keyword) = print-back\n");
  rec.Set(tf::kCoverMode, 4);
  EXPECT_EQ(DumpOf("cover-front"), "");
  EXPECT_EQ(DumpOf("cover-back"),
            "cover-back (collection):\n  cover-type (keyword) = print-back\n");
  for (std::uint8_t mode : {1, 32, 3}) {
    rec.Set(tf::kCoverMode, mode);
    EXPECT_EQ(DumpOf("cover-front") + DumpOf("cover-back"), "") << int(mode);
  }
  // The medium comes before the cover type.
  std::uint32_t id = 0;
  StoreMedium("media-col collection\n  media-color keyword blue\n", id);
  rec.Set(tf::kCoverMode, 2);
  rec.Set(tf::kFrontCoverMedia, id);
  EXPECT_EQ(DumpOf("cover-front"),
            "cover-front (collection):\n"
            "  media-col (collection):\n"
            "    media-color (keyword) = blue\n"
            "  cover-type (keyword) = print-front\n");
}

TEST_F(BuildTicket, TemplateAndSignatureGiveTwoImpositionTemplates) {
  WriteTicketString(rec, tf::kImpositionTemplate, "booklet");
  rec.Set(tf::kSignature, 2);
  const std::string dump = Dump();
  const std::size_t first = dump.find("imposition-template (name) = booklet\n");
  const std::size_t second = dump.find("imposition-template (name) = signature\n");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
}

TEST_F(BuildTicket, FontNameAndSizeFollowTheirFlags) {
  rec.SetText(tf::kFontName, "Courier");
  rec.Set(tf::kFontSize, 12);
  EXPECT_EQ(Dump().find("font-"), std::string::npos);
  rec.Set(tf::kJobFlags, 0x7E7F);
  EXPECT_NE(
      Dump().find("font-name-requested (name) = Courier\nfont-size-requested (integer) = 12\n"),
      std::string::npos);
  EXPECT_EQ(rec.Get(tf::kJobFlags), 0x7E7F);
}

TEST_F(BuildTicket, PageOverrideMembersComeInTheirOrder) {
  rec.Set(tf::kPageOverrideCount, 1);
  const FieldView o = rec.Override(0);
  o.Set(of::kFirstPage, 2);
  o.Set(of::kLastPage, 5);
  o.Set(of::kSides, 1);
  o.Set(of::kShiftX2, 4);
  o.Set(of::kShiftY1, -1);
  o.Set(of::kFlags, 0xBF & ~(override_flag::kShiftX2 | override_flag::kShiftY1));
  o.Set(of::kPageRotation, 2);
  EXPECT_EQ(DumpOf("page-overrides"),
            "page-overrides (1setOf):\n"
            "  value (collection):\n"
            "    input-documents (1setOf):\n"
            "      value (rangeOfInteger):\n"
            "        lower-bound (integer) = 1\n"
            "        upper-bound (integer) = 1\n"
            "    pages (1setOf):\n"
            "      value (rangeOfInteger):\n"
            "        lower-bound (integer) = 2\n"
            "        upper-bound (integer) = 5\n"
            "    sides (keyword) = one-sided\n"
            "    x-side2-image-shift (integer) = 400\n"
            "    y-side1-image-shift (integer) = -100\n"
            "    page-rotation (keyword) = rotate-90\n");
}

TEST_F(BuildTicket, CountsBeyondTheRecordAreBounded) {
  rec.Set(tf::kPageOverrideCount, 0xFFFF);
  rec.Set(tf::kInsertCount, 251);
  rec.Set(tf::kForceFrontCount, 300);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(rec, list);
  const AttrNodeList* members = nullptr;
  for (const char* name : {"page-overrides", "insert-sheet", "force-front-side"}) {
    const AttrNode* node = list->FindNode(name, 0);
    ASSERT_NE(node, nullptr) << name;
    members = static_cast<const IppList*>(node->GetValue())->GetMembers();
    EXPECT_EQ(members->size(), 250u) << name;
  }
}

TEST_F(BuildTicket, InsertSheetsAndForceFrontPages) {
  rec.Set(tf::kInsertCount, 1);
  rec.Insert(0).Set(insert_field::kAfterPage, 4);
  rec.Insert(0).Set(insert_field::kCount, 2);
  rec.Set(tf::kForceFrontCount, 2);
  rec.Set(ForceFrontPage(0), 7);
  rec.Set(ForceFrontPage(1), -1);
  EXPECT_EQ(DumpOf("insert-sheet"),
            "insert-sheet (1setOf):\n"
            "  value (collection):\n"
            "    insert-after-page-number (integer) = 4\n"
            "    insert-count (integer) = 2\n");
  EXPECT_EQ(DumpOf("force-front-side"),
            "force-front-side (1setOf):\n  value (integer) = 7\n  value (integer) = -1\n");
}

}  // namespace
}  // namespace ovrabjt

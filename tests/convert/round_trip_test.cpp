// Records drawn at random from the format's domain go record -> attribute
// list -> record and must come back equal in every field the document carries.
#include <gtest/gtest.h>

#include "attr/attr_dump.h"
#include "convert/ticket_compare.h"
#include "convert/ticket_conversion.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {
namespace {

std::string Describe(const std::vector<FieldDifference>& diffs) {
  std::string text;
  for (const auto& d : diffs) text += "  " + d.field + ": '" + d.left + "' -> '" + d.right + "'\n";
  return text;
}

TEST(RoundTrip, RandomRecordsThroughTheAttributeList) {
  for (std::uint32_t seed = 1; seed <= 2000; ++seed) {
    auto original = testing::RandomTicket(seed);
    std::unique_ptr<AttrNodeList> list;
    ASSERT_FALSE(BuildTicketAttributes(*original, list));
    auto back = TicketRecord::Allocate();
    InitTicketRecord(*back);
    ReadTicketAttributes(*list, *back);
    const auto diffs = CompareTickets(*original, *back);
    ASSERT_TRUE(diffs.empty()) << "seed " << seed << ":\n" << Describe(diffs);
  }
}

// Saved-job settings ("job-save-disposition", "save-info"), the stored
// document ("document-uri") and the document format are written one way
// only: they come back at the defaults of a fresh record.
TEST(RoundTrip, FieldsTheDocumentDoesNotCarryComeBackAtTheirDefaults) {
  namespace tf = ticket_field;
  auto original = testing::RandomTicket(7);
  original->Set(tf::kSaveDisposition, 4);
  original->Set(tf::kSaveFormat, 8);
  original->SetText(tf::kSavePath, "finance");
  original->SetText(tf::kSaveName, "q3");
  original->SetText(tf::kDocumentPath, "/archive/2026");
  original->SetText(tf::kDocumentName, "q3.pdf");
  original->Set(tf::kDocumentFormat, 64);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*original, list);
  auto back = TicketRecord::Allocate(), fresh = TicketRecord::Allocate();
  InitTicketRecord(*back);
  InitTicketRecord(*fresh);
  ReadTicketAttributes(*list, *back);
  std::vector<std::string> fields;
  for (const auto& d : CompareTickets(*original, *back)) fields.push_back(d.field);
  EXPECT_EQ(fields,
            (std::vector<std::string>{"saveFormat", "documentFormat", "saveDisposition", "savePath",
                                      "saveName", "documentPath", "documentName"}));
  for (const auto& d : CompareTickets(*fresh, *back))
    EXPECT_TRUE(d.field != "saveFormat" && d.field != "saveDisposition" && d.field != "savePath" &&
                d.field != "saveName" && d.field != "documentPath" && d.field != "documentName" &&
                d.field != "documentFormat")
        << d.field;
}

// The maximal ticket, with thousands of strings, comes back whole but for the
// fields the document does not carry.
TEST(RoundTrip, TheMaximalTicket) {
  auto original = testing::MaximalTicket();
  EXPECT_GT(original->Get(ticket_field::kStringCount), 3000);
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*original, list);
  auto back = TicketRecord::Allocate();
  InitTicketRecord(*back);
  ReadTicketAttributes(*list, *back);
  std::vector<std::string> fields;
  for (const auto& d : CompareTickets(*original, *back)) fields.push_back(d.field);
  EXPECT_EQ(fields, (std::vector<std::string>{"saveFormat", "saveDisposition", "savePath",
                                              "saveName", "documentPath", "documentName"}));
}

TEST(RoundTrip, RandomRecordsThroughValidatedDocumentText) {
  // Parsed under a name beside the document type, so it is validated.
  const std::string base = OVRABJT_SOURCE_DIR "/data/ticket.xml";
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    auto original = testing::RandomTicket(seed);
    std::unique_ptr<AttrNodeList> list;
    ASSERT_FALSE(BuildTicketAttributes(*original, list));
    test::TextOutput sink;
    VelmorXmlDataStream(kOvraDocument, &sink, base.c_str()).WriteList(*list);
    VelmorXmlDataStream source(kOvraDocument, nullptr, base.c_str());
    source.SetInput(sink.text.data(), static_cast<std::uint32_t>(sink.text.size()));
    auto back = TicketRecord::Allocate();
    ASSERT_FALSE(FillTicketRecord(source, *back)) << "seed " << seed;
    const auto diffs = CompareTickets(*original, *back);
    ASSERT_TRUE(diffs.empty()) << "seed " << seed << ":\n" << Describe(diffs);
  }
}

}  // namespace
}  // namespace ovrabjt

namespace ovrabjt {
namespace {

namespace tf = ticket_field;

TEST(CompareTickets, ComparesTextsAndMediaByContent) {
  auto a = TicketRecord::Allocate(), b = TicketRecord::Allocate();
  InitTicketRecord(*a);
  InitTicketRecord(*b);
  // The same texts at different indexes are equal.
  WriteTicketString(*a, tf::kTrcName, "curve");
  WriteTicketString(*a, tf::kHalftone, "dots");
  WriteTicketString(*b, tf::kHalftone, "dots");
  WriteTicketString(*b, tf::kTrcName, "curve");
  // The same medium in different slots is equal.
  a->MediaSlot(0).Set(media_field::kColor, 8);
  b->MediaSlot(3).Set(media_field::kColor, 8);
  a->Set(tf::kJobMedia, 0);
  b->Set(tf::kJobMedia, 4);
  EXPECT_TRUE(CompareTickets(*a, *b).empty());

  b->MediaSlot(3).Set(media_field::kColor, 1);
  b->Set(tf::kCopies, 2);
  a->Set(tf::kPageOverrideCount, 2);
  b->Set(tf::kPageOverrideCount, 1);
  b->Override(0).Set(override_field::kSides, 4);
  a->Set(tf::kBackCoverMedia, 7);  // names no slot
  const auto diffs = CompareTickets(*a, *b);
  ASSERT_EQ(diffs.size(), 5u);
  EXPECT_EQ(diffs[0].field, "copies");
  EXPECT_EQ(diffs[1].field, "jobMedia.color");
  EXPECT_EQ(diffs[1].left, "8");
  EXPECT_EQ(diffs[1].right, "1");
  EXPECT_EQ(diffs[2].field, "pageOverrideCount");
  EXPECT_EQ(diffs[3].field, "backCoverMedia");
  EXPECT_EQ(diffs[3].left, "invalid medium 7");
  EXPECT_EQ(diffs[3].right, "no medium");
  EXPECT_EQ(diffs[4].field, "pageOverrides[0].sides");
}

}  // namespace
}  // namespace ovrabjt

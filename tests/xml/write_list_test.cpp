// Writing a list straight to text gives exactly the text of the document
// built from it: the same bytes, the same failures.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "attr/attr_value_factory.h"
#include "convert/ticket_conversion.h"
#include "releases/release_profile.h"
#include "support/attr_text.h"
#include "support/dom_oracle.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt {
namespace {

const std::string kName = OVRABJT_SOURCE_DIR "/data/ticket.xml";

struct Outcome {
  std::string text;
  std::optional<int> code;
  std::string detail;
  bool operator==(const Outcome&) const = default;
};

template <typename Document>
Outcome Built(const AttrNodeList& list, bool indent, const ReleaseProfile& release) {
  Outcome o;
  test::TextOutput sink(-1, indent);
  try {
    Document document(kName, false, release);
    testing::BuildFrom(document, list);
    testing::WriteTo(document, sink);
  } catch (const OvraParseException& e) {
    o.code = static_cast<int>(e.code());
    o.detail = e.detail();
  }
  o.text = sink.text;
  return o;
}

template <typename Document>
Outcome Streamed(const AttrNodeList& list, bool indent, const ReleaseProfile& release) {
  Outcome o;
  test::TextOutput sink(-1, indent);
  try {
    Document document(kName, false, release);
    document.WriteListTo(list, sink);
  } catch (const OvraParseException& e) {
    o.code = static_cast<int>(e.code());
    o.detail = e.detail();
  }
  o.text = sink.text;
  return o;
}

template <typename Document>
void ExpectSame(const AttrNodeList& list, const std::string& what) {
  for (const ReleaseProfile* release : AllReleases())
    for (bool indent : {true, false}) {
      const Outcome built = Built<Document>(list, indent, *release);
      const Outcome streamed = Streamed<Document>(list, indent, *release);
      ASSERT_EQ(streamed.text, built.text) << what << " in " << release->file_version;
      ASSERT_EQ(streamed.code, built.code) << what;
      ASSERT_EQ(streamed.detail, built.detail) << what;
    }
}

TEST(WriteListTo, TicketsGiveTheBuiltDocumentsBytes) {
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    auto ticket = testing::RandomTicket(seed);
    std::unique_ptr<AttrNodeList> list;
    BuildTicketAttributes(*ticket, list);
    ExpectSame<OvraDomDoc>(*list, "seed " + std::to_string(seed));
  }
  AttrNodeList empty;
  ExpectSame<OvraDomDoc>(empty, "empty ticket");
}

TEST(WriteListTo, EveryShapeOfValueInEveryKind) {
  auto list = testing::ParseAttrText(
      "job-name name \xC9t\xE9 & <co> \"q\"\n"
      "copies integer -3\n"
      "media-col collection\n"
      "  media-size collection\n"
      "  media-color keyword blue\n"
      "page-ranges 1setOf\n"
      "  value rangeOfInteger\n"
      "    lower-bound integer 1\n"
      "job-hold-until boolean yes\n"
      "job-sheets dateTime 2024\n");
  list->Append("job-account-id", AttrValueFactory::CreateValue("name", ""));
  list->Append("job-phone-number", AttrValueFactory::CreateValue("text",
                                                                 "a\x01"
                                                                 "b\tc\r\nd"));
  list->Append("finishings", std::make_unique<IppList>());  // no member list at all
  list->Append("document-name",
               AttrValueFactory::CreateValue("name", std::string_view("cut\0off", 7)));
  ExpectSame<OvraDomDoc>(*list, "ovra shapes");
  ExpectSame<KespDomDoc>(*list, "kesp shapes");
  ExpectSame<MediaPrefsDomDoc>(*list, "mediaprefs shapes");
}

// The body's bytes come from a table of the formatter's bytes for each
// code-page byte; every byte in every escaping must give the formatter's.
TEST(WriteListTo, EveryByteInEveryPlaceGivesTheFormattersBytes) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
  AttrNodeList list;
  list.Append("job-name", AttrValueFactory::CreateValue("name", every));
  list.Append("job-phone-number", AttrValueFactory::CreateValue("text", every));
  list.Append("media", AttrValueFactory::CreateValue("keyword", every));
  auto odd_syntax = std::make_unique<IppList>();
  odd_syntax->SetSyntaxName(every);
  auto members = std::make_unique<AttrNodeList>();
  members->Append("\xC9l\xE9ment", AttrValueFactory::CreateValue("text", every + "\0after"));
  odd_syntax->SetMembers(std::move(members));
  list.Append("finishings", std::move(odd_syntax));
  ExpectSame<OvraDomDoc>(list, "every byte, ovra");
  ExpectSame<KespDomDoc>(list, "every byte, kesp");
}

TEST(WriteListTo, FailuresComeFirstAndAreTheSame) {
  auto unclassified = testing::ParseAttrText("copies integer 1\nno-such-attribute integer 2\n");
  ExpectSame<OvraDomDoc>(*unclassified, "unclassified");
  auto bad_member =
      testing::ParseAttrText("copies integer 1\nmedia-col collection\n  bad<name integer 1\n");
  ExpectSame<OvraDomDoc>(*bad_member, "bad member name");
  ExpectSame<KespDomDoc>(*bad_member, "bad member name");
  AttrNodeList bad_top;
  bad_top.Append("1st", AttrValueFactory::CreateValue("integer", "1"));
  ExpectSame<KespDomDoc>(bad_top, "bad top-level name");
  const Outcome o = Streamed<OvraDomDoc>(*unclassified, true, LatestRelease());
  EXPECT_EQ(o.code, 7);
  EXPECT_EQ(o.detail, "no-such-attribute");
  EXPECT_EQ(o.text, "");
}

// Plain ASCII names are judged without the library; every name, plain or
// not, is accepted or refused exactly as building accepts or refuses it.
TEST(WriteListTo, ElementNamesAreJudgedAsBuildingJudgesThem) {
  const std::string names[] = {"a",       "_x",        "Z9",    "a.b-c_9", "1st",
                               "-x",      ".x",        "x:y",   ":x",      "a b",
                               "caf\xe9", "\xe9t\xe9", "x\x80", "",        std::string("a\0b", 3),
                               "x/y",     "\xb7x",     "a\xb7"};
  for (const std::string& name : names) {
    AttrNodeList list;
    list.Append(name, AttrValueFactory::CreateValue("integer", "1"));
    ExpectSame<KespDomDoc>(list, "top-level name '" + name + "'");
    AttrNodeList outer;
    auto members = std::make_unique<AttrNodeList>();
    members->Append(name, AttrValueFactory::CreateValue("keyword", "k"));
    auto collection = std::make_unique<IppList>();
    collection->SetSyntaxName("collection");
    collection->SetMembers(std::move(members));
    outer.Append("media-col", std::move(collection));
    ExpectSame<KespDomDoc>(outer, "member name '" + name + "'");
  }
  AttrNodeList one;
  one.Append("a.b-c_9", AttrValueFactory::CreateValue("integer", "1"));
  EXPECT_EQ(Streamed<KespDomDoc>(one, false, LatestRelease()).code, std::nullopt);
  AttrNodeList digit;
  digit.Append("9a", AttrValueFactory::CreateValue("integer", "1"));
  EXPECT_EQ(Streamed<KespDomDoc>(digit, false, LatestRelease()).code, 6);
}

}  // namespace
}  // namespace ovrabjt

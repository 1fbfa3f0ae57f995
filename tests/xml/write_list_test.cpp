// Writing a list straight to text gives exactly the text of the document
// built from it: the same bytes, the same failures.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "attr/attr_value_factory.h"
#include "convert/ticket_conversion.h"
#include "releases/release_profile.h"
#include "support/attr_text.h"
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
    document.BuildFrom(list);
    document.WriteTo(sink);
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

}  // namespace
}  // namespace ovrabjt

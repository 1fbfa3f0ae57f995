#include "xml/velmor_xml_data_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include <functional>
#include <string>

#include "attr/attr_dump.h"
#include "support/attr_text.h"
#include "xml/ovra_parse_exception.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::ParseAttrText;
using testing::StringOutput;

const std::string kTicketName = std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml";

// Every syntax, nested collections, a set of collections, a set of ranges,
// empty sets at two levels, a null, a text of blanks only and texts with
// blanks around them. Operation attributes come first, so an ovra document
// keeps the order.
const char* const kAllSyntaxes =
    "job-name name   Padded name  \n"
    "document-format mimeMediaType application/pdf\n"
    "document-uri uri file:///tmp/a%20b.pdf\n"
    "copies integer 3\n"
    "orientation-requested enum 4\n"
    "sides keyword two-sided-long-edge\n"
    "print-from-saved-attributes boolean true\n"
    "job-message-to-operator text Line with <markup> & \"quotes\"\n"
    "job-account-id null\n"
    "page-ranges 1setOf\n"
    "  value rangeOfInteger\n"
    "    lower-bound integer 1\n"
    "    upper-bound integer 5\n"
    "  value rangeOfInteger\n"
    "    lower-bound integer 9\n"
    "    upper-bound integer 12\n"
    "printer-resolution resolution\n"
    "  cross-feed integer 600\n"
    "  feed-direction integer 600\n"
    "  units enum 3\n"
    "media-col collection\n"
    "  media-size collection\n"
    "    x-dimension integer 21000\n"
    "    y-dimension integer 29700\n"
    "  media-description text Plain\xE9\n"
    "page-overrides 1setOf\n"
    "  value collection\n"
    "    pages 1setOf\n"
    "      value rangeOfInteger\n"
    "        lower-bound integer 2\n"
    "        upper-bound integer 2\n"
    "    media-col collection\n"
    "      media-color keyword blue\n"
    "    insert-sheet 1setOf\n"
    "  value collection\n"
    "    sides keyword one-sided\n"
    "insert-sheet 1setOf\n"
    "job-sheet-message text    \n"
    "job-recipient-name name \t x \n";

// What comes back: empty sets and the null are gone, blanks are trimmed and
// the text of blanks is an empty list.
const char* const kAllSyntaxesReadBack =
    "job-name (name) = Padded name\n"
    "document-format (mimeMediaType) = application/pdf\n"
    "document-uri (uri) = file:///tmp/a%20b.pdf\n"
    "copies (integer) = 3\n"
    "orientation-requested (enum) = 4\n"
    "sides (keyword) = two-sided-long-edge\n"
    "print-from-saved-attributes (boolean) = true\n"
    "job-message-to-operator (text) = Line with <markup> & \"quotes\"\n"
    "page-ranges (1setOf):\n"
    "  value (rangeOfInteger):\n"
    "    lower-bound (integer) = 1\n"
    "    upper-bound (integer) = 5\n"
    "  value (rangeOfInteger):\n"
    "    lower-bound (integer) = 9\n"
    "    upper-bound (integer) = 12\n"
    "printer-resolution (resolution):\n"
    "  cross-feed (integer) = 600\n"
    "  feed-direction (integer) = 600\n"
    "  units (enum) = 3\n"
    "media-col (collection):\n"
    "  media-size (collection):\n"
    "    x-dimension (integer) = 21000\n"
    "    y-dimension (integer) = 29700\n"
    "  media-description (text) = Plain\xE9\n"
    "page-overrides (1setOf):\n"
    "  value (collection):\n"
    "    pages (1setOf):\n"
    "      value (rangeOfInteger):\n"
    "        lower-bound (integer) = 2\n"
    "        upper-bound (integer) = 2\n"
    "    media-col (collection):\n"
    "      media-color (keyword) = blue\n"
    "  value (collection):\n"
    "    sides (keyword) = one-sided\n"
    "job-sheet-message (text):\n"
    "job-recipient-name (name) = x\n";

struct KindCase {
  DocumentKind kind;
  const char* name;
};

const KindCase kKinds[] = {
    {kOvraDocument, kTicketName.c_str()},
    {kKespDocument, nullptr},
    {kMediaPrefsDocument, nullptr},
};

std::string Written(DocumentKind kind, const char* name, const AttrNodeList& list,
                    bool indent = true) {
  StringOutput output(indent);
  VelmorXmlDataStream stream(kind, &output, name);
  stream.WriteList(list);
  return output.text;
}

// A reading stream gets a name through the writing constructor.
std::unique_ptr<AttrNodeList> ReadText(DocumentKind kind, const std::string& text,
                                       const char* name) {
  VelmorXmlDataStream stream(kind, static_cast<XmlOutputCallback*>(nullptr), name);
  stream.SetInput(text.data(), static_cast<std::uint32_t>(text.size()));
  auto list = std::make_unique<AttrNodeList>();
  stream.Read(*list);
  return list;
}

TEST(VelmorXmlDataStreamTest, EveryKindRoundTripsEverySyntax) {
  const auto list = ParseAttrText(kAllSyntaxes);
  for (const KindCase& c : kKinds) {
    for (const bool indent : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " indent " << indent);
      const std::string text = Written(c.kind, c.name, *list, indent);
      const auto read = ReadText(c.kind, text, c.name);
      EXPECT_EQ(DumpAttrList(*read), kAllSyntaxesReadBack) << text;
      // Written and read again, the text of blanks (now an empty list) is
      // gone as well; nothing else changes.
      const std::string_view blank_line = "job-sheet-message (text):\n";
      std::string expected = kAllSyntaxesReadBack;
      expected.erase(expected.find(blank_line), blank_line.size());
      const std::string again = Written(c.kind, c.name, *read, indent);
      EXPECT_EQ(DumpAttrList(*ReadText(c.kind, again, c.name)), expected) << again;
    }
  }
}

TEST(VelmorXmlDataStreamTest, UnnamedStreamsUseTheDefaultNameAndDoNotValidate) {
  VelmorXmlDataStream unnamed;
  EXPECT_EQ(unnamed.Kind(), kNoDocument);
  EXPECT_EQ(unnamed.GetName(), "XmlStream");
  StringOutput output;
  EXPECT_EQ(VelmorXmlDataStream(kKespDocument, &output, "").GetName(), "XmlStream");
  EXPECT_EQ(VelmorXmlDataStream(kKespDocument, &output, "caps.xml").GetName(), "caps.xml");

  // Neither declared nor valid, so only a parse without validation takes it.
  const std::string text =
      "<kesp><trc-supported syntax='1setOf'>"
      "<value syntax='name'>curve</value></trc-supported>&lt;</kesp>";
  for (const DocumentKind kind : {kKespDocument, kMediaPrefsDocument}) {
    EXPECT_EQ(DumpAttrList(*ReadText(kind, text, nullptr)),
              "trc-supported (1setOf):\n  value (name) = curve\n");
    EXPECT_EQ(CodeRaisedBy([&] { ReadText(kind, text, "named.xml"); }), 2);
  }
}

TEST(VelmorXmlDataStreamTest, FailuresBeforeAnyDocumentIsMade) {
  const std::string text = "<kesp/>";
  AttrNodeList list;
  StringOutput output;
  const struct {
    const char* what;
    int code;
    std::function<void()> action;
  } cases[] = {
      {"no input", 8, [&] { VelmorXmlDataStream(kKespDocument, nullptr, 5).Read(list); }},
      {"empty input", 8, [&] { VelmorXmlDataStream(kKespDocument, text.data(), 0).Read(list); }},
      {"no output", 9,
       [&] {
         VelmorXmlDataStream(kKespDocument, static_cast<XmlOutputCallback*>(nullptr), "n")
             .WriteList(list);
       }},
      {"ovra read without a name", 10,
       [&] { VelmorXmlDataStream(kOvraDocument, text.data(), 7).Read(list); }},
      {"ovra written with an empty name", 10,
       [&] { VelmorXmlDataStream(kOvraDocument, &output, "").WriteList(list); }},
      {"no kind", 11,
       [&] {
         VelmorXmlDataStream stream;
         stream.SetInput(text.data(), 7);
         stream.Read(list);
       }},
      {"unknown kind", 11,
       [&] { VelmorXmlDataStream(static_cast<DocumentKind>(0), &output, "n").WriteList(list); }},
      {"ovra without its document type", 2,
       [&] {
         VelmorXmlDataStream(kOvraDocument, &output, "/no/such/folder/t.xml").WriteList(list);
       }},
  };
  for (const auto& c : cases) EXPECT_EQ(CodeRaisedBy(c.action), c.code) << c.what;
  EXPECT_TRUE(output.text.empty());
  EXPECT_EQ(output.calls, 0);
}

TEST(VelmorXmlDataStreamTest, UnclassifiedOvraNameWritesNothing) {
  StringOutput output;
  VelmorXmlDataStream stream(kOvraDocument, &output, kTicketName.c_str());
  try {
    stream.WriteList(*ParseAttrText("copies integer 1\nfinishing integer 3\n"));
    FAIL() << "no exception";
  } catch (const OvraParseException& error) {
    EXPECT_EQ(error.code(), OvraErrorCode::kAttributeOutsideGroups);
    EXPECT_EQ(error.detail(), "finishing");
  }
  EXPECT_EQ(output.calls, 0);
}

TEST(VelmorXmlDataStreamTest, RefusingOutputStopsTheWriting) {
  StringOutput output(true, 1);
  VelmorXmlDataStream stream(kKespDocument, &output, nullptr);
  EXPECT_EQ(CodeRaisedBy([&] { stream.WriteList(*ParseAttrText("copies integer 1\n")); }), 4);
  EXPECT_EQ(output.calls, 1);
}

// The library's messages stay with the stream; attributes read before a
// failure stay in the list.
TEST(VelmorXmlDataStreamTest, FailedReadKeepsMessagesAndWhatWasRead) {
  const std::string broken = "<kesp>\n<a syntax='integer'>1</a>\n<b></kesp>";
  VelmorXmlDataStream stream(kKespDocument, broken.data(),
                             static_cast<std::uint32_t>(broken.size()));
  AttrNodeList list;
  EXPECT_EQ(CodeRaisedBy([&] { stream.Read(list); }), 2);
  ASSERT_FALSE(stream.LastMessages().empty());
  EXPECT_EQ(stream.LastMessages()[0].system_id, "XmlStream");
  EXPECT_EQ(stream.LastMessages()[0].line, 3u);

  std::string deep = "<kesp><a syntax='integer'>1</a>";
  for (int i = 0; i < 300; ++i) deep += "<c syntax='collection'>";
  deep += "<v syntax='integer'>1</v>";
  for (int i = 0; i < 300; ++i) deep += "</c>";
  deep += "</kesp>";
  stream.SetInput(deep.data(), static_cast<std::uint32_t>(deep.size()));
  // Refused while parsing, before any attribute is read, with the bound.
  EXPECT_EQ(CodeRaisedBy([&] { stream.Read(list); }), 2);
  ASSERT_EQ(stream.LastMessages().size(), 1u);
  EXPECT_EQ(stream.LastMessages()[0].text, "elements nested deeper than the bound of 256");
  EXPECT_EQ(stream.LastMessages()[0].column,
            std::strlen("<kesp><a syntax='integer'>1</a>") + 23 * 256 + 1);
  EXPECT_EQ(DumpAttrList(list), "");
}

}  // namespace
}  // namespace ovrabjt

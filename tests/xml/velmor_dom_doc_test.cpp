#include "xml/velmor_dom_doc.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "attr/attr_value.h"
#include "inspect/attr_dump.h"
#include "support/attr_text.h"
#include "support/dom_oracle.h"
#include "xml/ovra_attribute_groups.h"
#include "xml/ovra_parse_exception.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::ParseAttrText;
using testing::StringOutput;

// Ovra documents find their document type beside this name.
const std::string kTicketName = std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml";

std::string Built(VelmorDomDoc& document, std::string_view attributes, bool indent = true) {
  testing::BuildFrom(document, *ParseAttrText(attributes));
  StringOutput output(indent);
  testing::WriteTo(document, output);
  return output.text;
}

std::string ReadBack(const VelmorDomDoc& parsed) {
  AttrNodeList list;
  parsed.ReadInto(list);
  return DumpAttrList(list);
}

// Every read is made both ways, from the library's tree and while the text
// is scanned; the two lists must be the same.
std::string Read(VelmorDomDoc& document, std::string_view text) {
  AttrNodeList streamed;
  document.ReadText(text, streamed);
  document.Parse(text);
  const std::string from_tree = ReadBack(document);
  EXPECT_EQ(DumpAttrList(streamed), from_tree) << text;
  return from_tree;
}

TEST(OvraAttributeGroupsTest, TableHoldsEachNameOnceInItsGroup) {
  std::set<std::string_view> names;
  std::size_t operation = 0, job_template = 0;
  for (const OvraAttributeEntry& entry : kOvraAttributeGroups) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_EQ(ClassifyOvraAttribute(entry.name), entry.group) << entry.name;
    operation += entry.group == OvraAttributeGroup::kOperation;
    job_template += entry.group == OvraAttributeGroup::kJobTemplate;
  }
  EXPECT_EQ(operation, 11u);
  EXPECT_EQ(job_template, 128u);
  const struct {
    std::string_view name;
    OvraAttributeGroup group;
  } cases[] = {
      {"job-name", OvraAttributeGroup::kOperation},
      {"job-password-encryption", OvraAttributeGroup::kOperation},
      {"job-priority", OvraAttributeGroup::kJobTemplate},
      {"presentation-direction-number-up", OvraAttributeGroup::kJobTemplate},
      {"Copies", OvraAttributeGroup::kNone},  // names are compared exactly
      {"copies ", OvraAttributeGroup::kNone},
      {"value", OvraAttributeGroup::kNone},  // members are not classified
      {"font-size", OvraAttributeGroup::kNone},
      {"", OvraAttributeGroup::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyOvraAttribute(c.name), c.group) << c.name;
}

TEST(VelmorDomDocTest, EmptyDocumentOfEachKind) {
  OvraDomDoc ovra(kTicketName, true);
  EXPECT_EQ(Built(ovra, ""),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\r\n"
            "<ovra qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\"/>");
  KespDomDoc kesp("", false);
  EXPECT_EQ(Built(kesp, ""),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n"
            "<kesp qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\"> </kesp>");
  MediaPrefsDomDoc prefs("", false);
  EXPECT_EQ(Built(prefs, "", false),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<mediaprefs qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\"> </mediaprefs>");
}

// Group elements appear in the order of their first use, each once; every
// attribute goes into its own group whatever the order of the list.
TEST(VelmorDomDocTest, OvraAttributesGoUnderTheirGroupsInOrderOfFirstUse) {
  OvraDomDoc ovra(kTicketName, true);
  const std::string text = Built(ovra,
                                 "copies integer 2\n"
                                 "job-name name Quarterly report\n"
                                 "media-col collection\n"
                                 "  media-size collection\n"
                                 "    x-dimension integer 21000\n"
                                 "  media-color keyword white\n"
                                 "document-format mimeMediaType application/pdf\n"
                                 "page-ranges 1setOf\n");
  EXPECT_EQ(text,
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\r\n"
            "<ovra qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\">\r\n"
            "\t<job-template-attributes>\r\n"
            "\t\t<copies syntax=\"integer\">2</copies>\r\n"
            "\t\t<media-col syntax=\"collection\">\r\n"
            "\t\t\t<media-size syntax=\"collection\">\r\n"
            "\t\t\t\t<x-dimension syntax=\"integer\">21000</x-dimension>\r\n"
            "\t\t\t</media-size>\r\n"
            "\t\t\t<media-color syntax=\"keyword\">white</media-color>\r\n"
            "\t\t</media-col>\r\n"
            "\t\t<page-ranges syntax=\"1setOf\"/>\r\n"
            "\t</job-template-attributes>\r\n"
            "\t<ovra-operation-attributes>\r\n"
            "\t\t<job-name syntax=\"name\" xml:space=\"preserve\">Quarterly report</job-name>\r\n"
            "\t\t<document-format syntax=\"mimeMediaType\">application/pdf</document-format>\r\n"
            "\t</ovra-operation-attributes>\r\n"
            "</ovra>");
  // A second build starts from the template again.
  EXPECT_EQ(Built(ovra, "job-name name x\n", false),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">"
            "<ovra qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\">"
            "<ovra-operation-attributes>"
            "<job-name syntax=\"name\" xml:space=\"preserve\">x</job-name>"
            "</ovra-operation-attributes></ovra>");
}

TEST(VelmorDomDocTest, UnclassifiedOvraNameFailsTheBuild) {
  OvraDomDoc ovra(kTicketName, true);
  try {
    testing::BuildFrom(ovra, *ParseAttrText("copies integer 1\nfont-size integer 12\n"));
    FAIL() << "no exception";
  } catch (const OvraParseException& error) {
    EXPECT_EQ(error.code(), OvraErrorCode::kAttributeOutsideGroups);
    EXPECT_EQ(error.detail(), "font-size");
  }
  // Members are never classified; the kesp and mediaprefs kinds do not group.
  const auto member = ParseAttrText("media-col collection\n  anything keyword x\n");
  EXPECT_EQ(CodeRaisedBy([&] { testing::BuildFrom(ovra, *member); }), 0);
  KespDomDoc kesp("", false);
  EXPECT_EQ(
      CodeRaisedBy([&] { testing::BuildFrom(kesp, *ParseAttrText("font-size integer 12\n")); }), 0);
}

TEST(VelmorDomDocTest, NameTheLibraryRefusesFailsWithThatName) {
  const struct {
    const char* attributes;
    const char* detail;
  } cases[] = {
      {"bad<name integer 1\n", "bad<name"},
      {"good collection\n  1st integer 1\n", "1st"},
  };
  for (const auto& c : cases) {
    KespDomDoc kesp("", false);
    try {
      testing::BuildFrom(kesp, *ParseAttrText(c.attributes));
      ADD_FAILURE() << "no exception for " << c.attributes;
    } catch (const OvraParseException& error) {
      EXPECT_EQ(error.code(), OvraErrorCode::kAttributeBuildFailed);
      EXPECT_EQ(error.detail(), c.detail);
    }
  }
  AttrNodeList unnamed;
  unnamed.Append("", std::make_unique<IppInteger>("1"));
  KespDomDoc kesp("", false);
  EXPECT_EQ(CodeRaisedBy([&] { testing::BuildFrom(kesp, unnamed); }), 6);
}

TEST(VelmorDomDocTest, ReadingTakesAttributesAndSkipsTheRest) {
  KespDomDoc kesp("", false);
  EXPECT_EQ(Read(kesp,
                 "<kesp>"
                 "<a syntax='integer'>  7 \n</a>"
                 "<skipped><inner syntax='integer'>1</inner></skipped>"
                 "<ovra-operation-attributes><job-name syntax='name'>n</job-name>"
                 "</ovra-operation-attributes>"
                 "<b syntax=' text '> x  y \r\n\t</b>"
                 "<empty syntax='keyword'/><empty syntax='keyword'></empty>"
                 "<blank syntax='1setOf'>  \n\t </blank>"
                 "<set syntax='1setOf'>\n <value syntax='keyword'>one</value>\n"
                 "  <!-- between --><value syntax='collection'>"
                 "<x syntax='integer'>1</x>trailing text</value> </set>"
                 "<first syntax='text'>lead<hidden syntax='integer'>1</hidden></first>"
                 "<note syntax='text'><!--the comment-->body</note>"
                 "<cdata syntax='text'><![CDATA[ <raw> ]]></cdata>"
                 "<pi syntax='text'><?target the data ?>body</pi>"
                 "<odd syntax='whatever'>text</odd>"
                 "</kesp>"),
            "a (integer) = 7\n"
            "b (text) = x  y\n"
            "blank (1setOf):\n"
            "set (1setOf):\n"
            "  value (keyword) = one\n"
            "  value (collection):\n"
            "    x (integer) = 1\n"
            "first (text) = lead\n"
            "note (text) = the comment\n"
            "cdata (text) = <raw>\n"
            "pi (text) = the data\n"
            "odd (null) = \n");
}

// The syntax is the attribute's value after the parser's references and
// normalisation, however many pieces it was written in.
TEST(VelmorDomDocTest, SyntaxIsTheAttributeValueHoweverWritten) {
  KespDomDoc kesp("", false);
  EXPECT_EQ(Read(kesp,
                 "<!DOCTYPE kesp [<!ENTITY kw 'keyword'><!ENTITY half 'int'>]>"
                 "<kesp><a syntax='&#x6B;ey&#119;ord'>k</a><b syntax='&kw;'>e</b>"
                 "<c syntax='&half;eger'>12</c><d syntax='\n integer\t'>4</d>"
                 "<e syntax=''>v</e><f syntax='&kw;&kw;'>w</f></kesp>"),
            "a (keyword) = k\nb (keyword) = e\nc (integer) = 12\nd (integer) = 4\n"
            "e (null) = \nf (null) = \n");
}

TEST(VelmorDomDocTest, OvraGroupElementsDissolveInDocumentOrder) {
  OvraDomDoc ovra(kTicketName, true);
  EXPECT_EQ(Read(ovra,
                 "<?xml version='1.0'?><!DOCTYPE ovra SYSTEM 'ovra-v02012.dtd'>\n"
                 "<ovra><job-template-attributes>\n"
                 "  <copies syntax='integer'>3</copies></job-template-attributes>\n"
                 "<ovra-operation-attributes><job-name syntax='name'>j</job-name>"
                 "</ovra-operation-attributes>\n"
                 "<job-template-attributes><sides syntax='keyword'>one-sided</sides>"
                 "</job-template-attributes></ovra>"),
            "copies (integer) = 3\njob-name (name) = j\nsides (keyword) = one-sided\n");
  // Without validation other elements may stand there; they are skipped.
  OvraDomDoc lenient(kTicketName, false);
  EXPECT_EQ(Read(lenient,
                 "<ovra><other><copies syntax='integer'>3</copies></other>"
                 "<job-template-attributes><other><sides syntax='keyword'>x</sides></other>"
                 "<ovra-operation-attributes><job-name syntax='name'>j</job-name>"
                 "</ovra-operation-attributes></job-template-attributes></ovra>"),
            "job-name (name) = j\n");
}

// Narrow texts are Windows-1252 both ways; a character it lacks reads as '?'.
TEST(VelmorDomDocTest, TextsAreWindows1252) {
  KespDomDoc kesp("", false);
  // Octal escapes: e-acute is \351, the euro sign \200 (UTF-8 \342\202\254).
  EXPECT_EQ(Read(kesp, "<kesp><n syntax='name'>caf&#xE9; &#x20AC;5 &#x4E2D;</n></kesp>"),
            "n (name) = caf\351 \2005 ?\n");
  const std::string text = Built(kesp, "n name caf\351 \2005\n", false);
  EXPECT_NE(text.find("caf\303\251 \342\202\2545</n>"), std::string::npos) << text;
}

// Nesting the root and 255 levels below it is read; one level more fails
// instead of reading on. Elements that are skipped are never descended into.
TEST(VelmorDomDocTest, NestingIsBoundedAt256Levels) {
  const auto nested = [](std::size_t levels, const char* open, const char* close) {
    std::string text = "<kesp>";
    for (std::size_t i = 0; i < levels; ++i) text += open;
    text += "<v syntax='integer'>1</v>";
    for (std::size_t i = 0; i < levels; ++i) text += close;
    return text + "</kesp>";
  };
  KespDomDoc kesp("", false);
  const char* open = "<c syntax='collection'>";
  const char* close = "</c>";
  kesp.Parse(nested(VelmorDomDoc::kMaxElementDepth - 2, open, close));
  AttrNodeList list;
  kesp.ReadInto(list);
  const AttrValue* value = list.nodes()[0]->GetValue();
  std::size_t depth = 1;
  while (value->GetSyntaxCode() == kSyntaxList) {
    value = static_cast<const IppList*>(value)->GetMembers()->nodes()[0]->GetValue();
    ++depth;
  }
  EXPECT_EQ(depth, VelmorDomDoc::kMaxElementDepth - 1);  // the root is the first level

  // One level more is refused by the parse itself, whatever the elements.
  EXPECT_EQ(
      CodeRaisedBy([&] { kesp.Parse(nested(VelmorDomDoc::kMaxElementDepth - 1, open, close)); }),
      2);
  EXPECT_EQ(CodeRaisedBy([&] { kesp.Parse(nested(5000, "<x>", "</x>")); }), 2);
  kesp.Parse(nested(VelmorDomDoc::kMaxElementDepth - 2, "<x>", "</x>"));
  EXPECT_EQ(ReadBack(kesp), "");
}

}  // namespace
}  // namespace ovrabjt

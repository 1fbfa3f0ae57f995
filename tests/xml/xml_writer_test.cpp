#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <xercesc/dom/DOMComment.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "platform/code_page.h"
#include "xml/velmor_xml_parser.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::DataDir;
using testing::StringOutput;
using xercesc::DOMElement;

const std::string kOvraTemplate =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\r\n"
    "<ovra version=\"1.0\" qrcs-version=\"2.01\" xml:lang=\"en-US\"></ovra>";

// Adds an attribute element the way documents are built from attribute
// lists: the element, its syntax, then its text when it has one.
DOMElement* AddValue(DOMElement* parent, const char16_t* name, const char16_t* syntax,
                     const char16_t* text = nullptr) {
  xercesc::DOMDocument* document = parent->getOwnerDocument();
  DOMElement* element = document->createElement(name);
  element->setAttribute(u"syntax", syntax);
  parent->appendChild(element);
  if (text != nullptr) element->appendChild(document->createTextNode(text));
  return element;
}

DOMElement* AddGroup(DOMElement* parent, const char16_t* name) {
  return static_cast<DOMElement*>(
      parent->appendChild(parent->getOwnerDocument()->createElement(name)));
}

std::string Written(VelmorXmlParser& parser, bool indent = true) {
  StringOutput output(indent);
  parser.WriteDocument(output);
  return output.text;
}

// The ovra template holding a name, an integer, a collection with a nested
// collection, and an empty collection.
class OvraDocument : public ::testing::Test {
 protected:
  void SetUp() override {
    parser.Parse(kOvraTemplate);
    DOMElement* root = parser.GetDocument()->getDocumentElement();
    DOMElement* operation = AddGroup(root, u"ovra-operation-attributes");
    DOMElement* name = AddValue(operation, u"job-name", u"name");
    name->setAttribute(u"xml:space", u"preserve");  // after syntax, yet written after it by name
    name->appendChild(parser.GetDocument()->createTextNode(u"Report"));
    DOMElement* job = AddGroup(root, u"job-template-attributes");
    AddValue(job, u"copies", u"integer", u"2");
    DOMElement* media = AddValue(job, u"media-col", u"collection");
    AddValue(media, u"media-key", u"keyword", u"a4");
    DOMElement* size = AddValue(media, u"media-size", u"collection");
    AddValue(size, u"x-dimension", u"integer", u"21000");
    AddValue(job, u"job-sheets-col", u"collection");
  }

  VelmorXmlParser parser{DataDir() + "job.xml", true};
};

TEST_F(OvraDocument, IndentedTextHasOneLinePerValueAndTabsPerLevel) {
  EXPECT_EQ(Written(parser),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">"
            "\r\n<ovra qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\">"
            "\r\n\t<ovra-operation-attributes>"
            "\r\n\t\t<job-name syntax=\"name\" xml:space=\"preserve\">Report</job-name>"
            "\r\n\t</ovra-operation-attributes>"
            "\r\n\t<job-template-attributes>"
            "\r\n\t\t<copies syntax=\"integer\">2</copies>"
            "\r\n\t\t<media-col syntax=\"collection\">"
            "\r\n\t\t\t<media-key syntax=\"keyword\">a4</media-key>"
            "\r\n\t\t\t<media-size syntax=\"collection\">"
            "\r\n\t\t\t\t<x-dimension syntax=\"integer\">21000</x-dimension>"
            "\r\n\t\t\t</media-size>"
            "\r\n\t\t</media-col>"
            "\r\n\t\t<job-sheets-col syntax=\"collection\"/>"
            "\r\n\t</job-template-attributes>"
            "\r\n</ovra>");
}

TEST_F(OvraDocument, WithoutIndentOnlyTheDeclarationEndsALine) {
  EXPECT_EQ(Written(parser, false),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">"
            "<ovra qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\">"
            "<ovra-operation-attributes>"
            "<job-name syntax=\"name\" xml:space=\"preserve\">Report</job-name>"
            "</ovra-operation-attributes>"
            "<job-template-attributes>"
            "<copies syntax=\"integer\">2</copies>"
            "<media-col syntax=\"collection\">"
            "<media-key syntax=\"keyword\">a4</media-key>"
            "<media-size syntax=\"collection\">"
            "<x-dimension syntax=\"integer\">21000</x-dimension>"
            "</media-size>"
            "</media-col>"
            "<job-sheets-col syntax=\"collection\"/>"
            "</job-template-attributes>"
            "</ovra>");
}

TEST_F(OvraDocument, AnOutputThatKeepsTheDefaultIndentGetsLineBreaks) {
  struct DefaultIndent final : XmlOutputCallback {
    OvraBool Write(const char* bytes, uint32_t count) override {
      text.append(bytes, count);
      return 1;
    }
    std::string text;
  } output;
  parser.WriteDocument(output);
  EXPECT_EQ(output.text, Written(parser, true));
}

TEST_F(OvraDocument, WrittenTextReadsBackValid) {
  const std::string text = Written(parser);
  VelmorXmlParser again(DataDir() + "job.xml", true);
  // The DTD of the tests does not know job-sheets-col; it passes without it.
  const std::string without_empty = text.substr(0, text.find("\r\n\t\t<job-sheets-col")) +
                                    text.substr(text.find("\r\n\t</job-template-attributes>"));
  EXPECT_EQ(CodeRaisedBy([&] { again.Parse(without_empty); }), 0);
}

TEST_F(OvraDocument, RefusedWriteStopsWithCode4AfterTheEarlierText) {
  const std::string whole = Written(parser);
  StringOutput output(true, 3);
  EXPECT_EQ(CodeRaisedBy([&] { parser.WriteDocument(output); }), 4);
  EXPECT_EQ(output.calls, 3);  // nothing is offered after the refusal
  EXPECT_FALSE(output.text.empty());
  EXPECT_TRUE(whole.starts_with(output.text));
  EXPECT_LT(output.text.size(), whole.size());
  // The parser writes again afterwards as if nothing had happened.
  EXPECT_EQ(Written(parser), whole);
}

// The kesp and mediaprefs templates hold a space before their end tag, so the
// root's first child is text: its element children stay at the root's level
// and its end tag follows the last child directly.
TEST(XmlWriterTest, RootStartingWithTextKeepsChildrenAtItsLevel) {
  for (const std::string root : {"kesp", "mediaprefs"}) {
    SCOPED_TRACE(root);
    VelmorXmlParser parser("", false);
    parser.Parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?><" + root +
                 " version=\"1.0\" qrcs-version=\"2.01\" xml:lang=\"en-US\"> </" + root + ">");
    DOMElement* element = parser.GetDocument()->getDocumentElement();
    AddValue(element, u"trc", u"keyword", u"on");
    DOMElement* set = AddValue(element, u"halftone-graphics-supported", u"1setOf");
    AddValue(set, u"value", u"keyword", u"dot");
    AddValue(set, u"value", u"keyword", u"line");
    EXPECT_EQ(Written(parser),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              "\r\n<" +
                  root +
                  " qrcs-version=\"2.01\" version=\"1.0\" xml:lang=\"en-US\"> "
                  "\r\n<trc syntax=\"keyword\">on</trc>"
                  "\r\n<halftone-graphics-supported syntax=\"1setOf\">"
                  "\r\n\t<value syntax=\"keyword\">dot</value>"
                  "\r\n\t<value syntax=\"keyword\">line</value>"
                  "\r\n</halftone-graphics-supported></" +
                  root + ">");
  }
}

TEST(XmlWriterTest, EscapesContentAndAttributeValues) {
  VelmorXmlParser parser("escapes.xml", false);
  parser.Parse("<a/>");
  DOMElement* root = parser.GetDocument()->getDocumentElement();
  const std::u16string text = u"a&b<c>d\"e'f\tg\nh\ri";
  const std::u16string value = u"a&b<c>d\"e'f\tg\nh\ri";
  root->setAttribute(u"v", value.c_str());
  root->appendChild(parser.GetDocument()->createTextNode(text.c_str()));
  const std::string written = Written(parser);
  EXPECT_EQ(written,
            "\r\n<a v=\"a&amp;b&lt;c>d&quot;e'f&#x9;g&#xA;h&#xD;i\">"
            "a&amp;b&lt;c&gt;d\"e'f\tg\nh&#xD;i</a>");
  // Both read back exactly.
  VelmorXmlParser again("escapes.xml", false);
  again.Parse(written);
  const DOMElement* read = again.GetDocument()->getDocumentElement();
  EXPECT_EQ(std::u16string(read->getAttribute(u"v")), value);
  EXPECT_EQ(std::u16string(read->getTextContent()), text);
}

TEST(XmlWriterTest, CharactersXmlCannotCarryBecomeQuestionMarks) {
  VelmorXmlParser parser("controls.xml", false);
  parser.Parse("<a/>");
  xercesc::DOMDocument* document = parser.GetDocument();
  DOMElement* root = document->getDocumentElement();
  const std::u16string bad = {u'x',   0x01, u'\t',  0x1F,   0x0B,  0xFFFE,
                              0xD800, u'y', 0xDC00, 0xD83D, 0xDE00};
  root->setAttribute(u"v", bad.c_str());
  root->appendChild(document->createTextNode(bad.c_str()));
  root->appendChild(document->createComment(u"c\x07"));
  EXPECT_EQ(Written(parser, false),
            "<a v=\"x?&#x9;????y?\xF0\x9F\x98\x80\">x?\t????y?\xF0\x9F\x98\x80<!--c?--></a>");
}

// Every byte of a ticket text other than the controls that XML cannot carry
// comes back from a write and a read; those controls come back as '?'.
TEST(XmlWriterTest, TicketTextBytesSurviveAWriteAndARead) {
  std::string bytes;
  std::string expected;
  for (int b = 1; b <= 0xFF; ++b) {
    bytes.push_back(static_cast<char>(b));
    const bool carried = b >= 0x20 || b == '\t' || b == '\n' || b == '\r';
    expected.push_back(carried ? static_cast<char>(b) : '?');
  }
  VelmorXmlParser parser("bytes.xml", false);
  parser.Parse("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>");
  DOMElement* root = parser.GetDocument()->getDocumentElement();
  root->setAttribute(u"syntax", Cp1252ToUtf16(bytes).c_str());
  root->appendChild(parser.GetDocument()->createTextNode(Cp1252ToUtf16(bytes).c_str()));

  VelmorXmlParser again("bytes.xml", false);
  again.Parse(Written(parser));
  const DOMElement* read = again.GetDocument()->getDocumentElement();
  EXPECT_EQ(Utf16ToCp1252(read->getTextContent()), expected);
  EXPECT_EQ(Utf16ToCp1252(read->getAttribute(u"syntax")), expected);
}

TEST(XmlWriterTest, DeclarationComesFromTheDocument) {
  struct Case {
    const char* text;
    std::string declaration;
  };
  const Case cases[] = {
      {"<a/>", ""},
      {"<?xml version=\"1.0\"?><a/>", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"},
      {"<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?><a/>",
       "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"},
      {"<?xml version=\"1.0\" standalone=\"yes\"?><a/>",
       "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"},
      {"<?xml version=\"1.1\" encoding=\"US-ASCII\"?><a/>",
       "<?xml version=\"1.1\" encoding=\"US-ASCII\"?>\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    VelmorXmlParser parser("declaration.xml", false);
    parser.Parse(c.text);
    EXPECT_EQ(Written(parser), c.declaration + "\r\n<a/>");
  }
}

TEST(XmlWriterTest, DeclaredEncodingEncodesTheTextAndReferencesTheRest) {
  VelmorXmlParser parser("latin1.xml", false);
  parser.Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>");
  DOMElement* root = parser.GetDocument()->getDocumentElement();
  root->setAttribute(u"v", u"\u20AC\u00E9");
  EXPECT_EQ(Written(parser, false),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<a v=\"&#x20AC;\xE9\">\xE9</a>");
}

TEST(XmlWriterTest, DocumentTypesKeepTheirIdentifiersAndSubset) {
  struct Case {
    std::string text;
    std::string written;
  };
  const std::string dtd = "ovra-v02012.dtd";
  const Case cases[] = {
      {"<!DOCTYPE a SYSTEM \"" + dtd + "\"><a/>", "<!DOCTYPE a SYSTEM \"" + dtd + "\">\r\n<a/>"},
      {"<!DOCTYPE a PUBLIC \"-//T//DTD t//EN\" \"" + dtd + "\"><a/>",
       "<!DOCTYPE a PUBLIC \"-//T//DTD t//EN\" \"" + dtd + "\">\r\n<a/>"},
      {"<!DOCTYPE a [<!ELEMENT a EMPTY>]><a/>", "<!DOCTYPE a[<!ELEMENT a EMPTY>]>\r\n<a/>"},
      {"<!DOCTYPE a SYSTEM \"" + dtd + "\" [<!ENTITY e \"x\">]><a>&e;</a>",
       "<!DOCTYPE a SYSTEM \"" + dtd + "\"[<!ENTITY e \"x\">]>\r\n<a>x</a>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    VelmorXmlParser parser(DataDir() + "doctype.xml", false);
    parser.Parse(c.text);
    const std::string written = Written(parser);
    EXPECT_EQ(written, c.written);
    VelmorXmlParser again(DataDir() + "doctype.xml", false);
    EXPECT_EQ(CodeRaisedBy([&] { again.Parse(written); }), 0);
  }
}

TEST(XmlWriterTest, SystemIdentifierWithAQuotationMarkIsWrittenBetweenApostrophes) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(::testing::TempDir()) / "doctype-quote";
  fs::create_directories(folder);
  std::ofstream(folder / "say\"hi.dtd") << "<!ELEMENT a EMPTY>\n";
  const std::string name = (folder / "doc.xml").string();
  VelmorXmlParser parser(name, true);
  parser.Parse("<!DOCTYPE a SYSTEM 'say\"hi.dtd'><a/>");
  const std::string written = Written(parser);
  EXPECT_EQ(written, "<!DOCTYPE a SYSTEM 'say\"hi.dtd'>\r\n<a/>");
  VelmorXmlParser again(name, true);
  EXPECT_EQ(CodeRaisedBy([&] { again.Parse(written); }), 0);
  fs::remove_all(folder);
}

TEST(XmlWriterTest, CommentsInstructionsAndCdataAreWrittenAsTheyAre) {
  VelmorXmlParser parser("nodes.xml", false);
  parser.Parse(
      "<?xml version=\"1.0\"?><!--top--><?app?><a><!--in a--><?p d e?><![CDATA[x<&y]]></a>");
  EXPECT_EQ(Written(parser),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!--top--><?app?>"
            "\r\n<a><!--in a--><?p d e?><![CDATA[x<&y]]>\r\n</a>");
}

TEST(XmlWriterTest, ElementChildrenAfterTextStayAtTheParentLevel) {
  VelmorXmlParser parser("mixed.xml", false);
  parser.Parse("<r><a><b>t</b>mid<c/><d><e/></d></a></r>");
  EXPECT_EQ(Written(parser),
            "\r\n<r>"
            "\r\n\t<a>"
            "\r\n\t\t<b>t</b>mid"
            "\r\n\t\t<c/>"
            "\r\n\t\t<d>"
            "\r\n\t\t\t<e/>"
            "\r\n\t\t</d></a>"
            "\r\n</r>");
}

TEST(XmlWriterTest, NothingToWriteBeforeAParse) {
  VelmorXmlParser parser("empty.xml", false);
  StringOutput output;
  EXPECT_EQ(CodeRaisedBy([&] { parser.WriteDocument(output); }), 3);
  EXPECT_EQ(output.calls, 0);
}

}  // namespace
}  // namespace ovrabjt

// The attributes read while a text is scanned are those read from the
// library's tree of the same text, whatever the text holds.
#include "xml/attribute_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "convert/ticket_conversion.h"
#include "inspect/attr_dump.h"
#include "releases/release_profile.h"
#include "support/ticket_generator.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_dom_doc.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::StringOutput;

const std::string kTicketName = std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml";

struct Reads {
  std::string streamed;
  std::string from_tree;
};

Reads BothWays(VelmorDomDoc& document, std::string_view text) {
  AttrNodeList streamed;
  document.ReadText(text, streamed);
  document.Parse(text);
  AttrNodeList from_tree;
  document.ReadInto(from_tree);
  return {DumpAttrList(streamed), DumpAttrList(from_tree)};
}

// Content whose first child node, text merging or nesting could be read
// differently without the tree.
TEST(AttributeStream, ReadsWhatTheTreeReadsOfEveryKindOfContent) {
  const char* const cases[] = {
      "<k><a syntax='text'>one&amp;two&#x41;<![CDATA[three]]>four</a></k>",
      "<k><a syntax='text'><![CDATA[]]>after</a><b syntax='text'><![CDATA[ ]]><c "
      "syntax='integer'>1</c></b></k>",
      "<k><a syntax='text'> \n <!---->x<c syntax='integer'>1</c></a></k>",
      "<k><a syntax='1setOf'>\n <?pi?><v syntax='keyword'>k</v></a></k>",
      "<k><a syntax='1setOf'><v syntax='keyword'>k</v>late text<w syntax='keyword'>w</w></a></k>",
      "<k><a syntax='collection'><g><v syntax='keyword'>in a skipped element</v></g>"
      "<v syntax='keyword'>kept</v></a></k>",
      "<k><a syntax='collection'><b syntax='collection'><c syntax='collection'><d "
      "syntax='integer'>4</d></c></b></a><e syntax='integer'>5</e></k>",
      "<k><a syntax='text'>x<b syntax='integer'>hidden</b></a><a syntax='text'/></k>",
      "<k syntax='text'>the root's own text is no attribute<a syntax='integer'>1</a></k>",
      "<!DOCTYPE k [<!ENTITY e 'in &amp; entity'><!ENTITY el '<i syntax=\"integer\">9</i>'>]>"
      "<k><a syntax='text'>&e; and after</a><b syntax='1setOf'>&el;&el;</b>"
      "<c syntax='text'> &el; </c></k>",
      "<!DOCTYPE k [<!ATTLIST d syntax CDATA 'keyword'>]><k><d>defaulted</d><d "
      "syntax='integer'>7</d></k>",
      "<k><a syntax='text'>\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD</a></k>",
      "<k><a syntax='text'>\t</a><b syntax=' 1setOf '>\r\n</b><c syntax='keyword'>"
      "<!-- only a comment --></c></k>",
  };
  for (const char* text : cases) {
    KespDomDoc kesp("", false);
    const Reads reads = BothWays(kesp, text);
    EXPECT_EQ(reads.streamed, reads.from_tree) << text;
    EXPECT_NE(reads.from_tree, "") << text;
  }
}

// Random tickets of every release, written and read back in its vocabulary.
TEST(AttributeStream, ReadsWhatTheTreeReadsOfRandomTicketsOfEveryRelease) {
  for (const ReleaseProfile* release : AllReleases())
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
      auto ticket = testing::RandomTicket(seed * 7 + release->file_version.size());
      std::unique_ptr<AttrNodeList> list;
      BuildTicketAttributes(*ticket, list, *release);
      OvraDomDoc writer(kTicketName, true, *release);
      StringOutput output(seed % 2 == 0);
      writer.WriteListTo(*list, output);
      OvraDomDoc reader(kTicketName, true, *release);
      const Reads reads = BothWays(reader, output.text);
      ASSERT_EQ(reads.streamed, reads.from_tree) << release->file_version << " seed " << seed;
    }
}

// A text that does not parse adds nothing, even after attributes were read
// from its beginning.
TEST(AttributeStream, AFailedReadLeavesTheListAsItWas) {
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"<k><a syntax='integer'>1</a><b syntax='integer'>2</b>", 2},
      {"<k><a syntax='integer'>1</a></k><after/>", 2},
      {"<k><a syntax='integer'>1</a>&undeclared;</k>", 2},
  };
  for (const auto& c : cases) {
    KespDomDoc kesp("", false);
    AttrNodeList list;
    list.Append("before", std::make_unique<IppInteger>("3"));
    EXPECT_EQ(CodeRaisedBy([&] { kesp.ReadText(c.text, list); }), c.code) << c.text;
    EXPECT_EQ(DumpAttrList(list), "before (integer) = 3\n") << c.text;
  }
}

}  // namespace
}  // namespace ovrabjt

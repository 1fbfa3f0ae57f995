// The ovra document type in data/ accepts every document the module writes,
// as checked by the module's own validating parser and by an independent
// validator (xmllint), and it declares no attribute defaults.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>

#include "attr/attr_dump.h"
#include "convert/ticket_compare.h"
#include "convert/ticket_conversion.h"
#include "support/attr_text.h"
#include "support/temp_folder.h"
#include "support/ticket_generator.h"
#include "xml/ovra_attribute_groups.h"
#include "xml/velmor_xml_file.h"
#include "xml/velmor_xml_parser.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::ParseAttrText;
using testing::ReadFileBytes;
using testing::StringOutput;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kDocumentType = std::string(OVRABJT_SOURCE_DIR) + "/data/ovra-v02012.dtd";
const std::string kTicketName = std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml";

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

struct Verdict {
  int status;
  std::string messages;
};

// Runs xmllint on the files against the document type in data/.
Verdict Xmllint(const std::vector<std::string>& files) {
  std::string command = "xmllint --noout --nonet --dtdvalid '" + kDocumentType + "'";
  for (const std::string& file : files) command += " '" + file + "'";
  command += " 2>&1";
  Verdict verdict{-1, {}};
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return verdict;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    verdict.messages.append(buffer, got);
  const int status = ::pclose(pipe);
  verdict.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return verdict;
}

// A folder holding a copy of the document type, so that the validator also
// finds the one the documents name.
class OvraDocumentTypeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(folder / "ovra-v02012.dtd", ReadFileBytes(kDocumentType));
  }

  std::string Save(const std::string& file_name, const AttrNodeList& list) {
    const std::string path = folder / file_name;
    VelmorXmlFile(kOvraDocument, path.c_str(), kTicketName.c_str()).WriteList(list);
    return path;
  }

  TempFolder folder;
};

TEST_F(OvraDocumentTypeTest, ValidatorRejectsWhatTheTypeDoesNotDeclare) {
  const std::string frame =
      "<?xml version='1.0'?><!DOCTYPE ovra SYSTEM 'ovra-v02012.dtd'><ovra>"
      "<job-template-attributes>%s</job-template-attributes></ovra>";
  const char* const bodies[] = {
      "<copiez syntax='integer'>1</copiez>",
      "<job-name syntax='name'>operation attribute in the wrong group</job-name>",
      "<copies syntax='integer' xml:space='keep'>1</copies>",
      "<copies syntax='integer' unit='x'>1</copies>",
  };
  std::vector<std::string> files;
  for (const char* body : bodies) {
    char text[512];
    std::snprintf(text, sizeof text, frame.c_str(), body);
    files.push_back(folder / ("bad" + std::to_string(files.size()) + ".xml"));
    WriteFileBytes(files.back(), text);
    EXPECT_EQ(Xmllint({files.back()}).status, 3) << body;  // 3: not valid
  }
}

// Every top-level name, in both groups and with every syntax, and a member
// of each kind of list value; written indented (files) and not (memory).
TEST_F(OvraDocumentTypeTest, AcceptsEveryTopLevelName) {
  const char* const syntaxes[] = {"integer", "enum", "name",          "keyword",
                                  "boolean", "text", "mimeMediaType", "uri"};
  std::string text;
  std::size_t i = 0;
  for (const OvraAttributeEntry& entry : kOvraAttributeGroups) {
    text += std::string(entry.name) + " " + syntaxes[i++ % std::size(syntaxes)] + " 1\n";
  }
  text +=
      "page-ranges 1setOf\n"
      "  value rangeOfInteger\n"
      "    lower-bound integer 1\n"
      "    upper-bound integer 2\n"
      "printer-resolution resolution\n"
      "  units enum 3\n"
      "job-account-id null\n"
      "insert-sheet 1setOf\n";
  const auto parsed = ParseAttrText(text);
  const AttrNodeList& list = *parsed;

  const std::string indented = Save("all.xml", list);
  StringOutput output(false);
  VelmorXmlDataStream(kOvraDocument, &output, kTicketName.c_str()).WriteList(list);
  const std::string flat = folder / "flat.xml";
  WriteFileBytes(flat, output.text);
  for (const OvraAttributeEntry& entry : kOvraAttributeGroups) {
    ASSERT_NE(output.text.find(std::string("<").append(entry.name).append(" syntax=")),
              std::string::npos)
        << entry.name;
  }
  const Verdict verdict = Xmllint({indented, flat});
  EXPECT_EQ(verdict.status, 0) << verdict.messages;

  // The module's own validating read takes it too.
  AttrNodeList read;
  VelmorXmlFile(kOvraDocument, indented.c_str(), kTicketName.c_str()).Read(read);
  EXPECT_EQ(read.size(), kOvraAttributeGroups.size() + 2);
}

// Job tickets drawn at random use every name the mappings write; their
// documents validate and bring the ticket back unchanged.
TEST_F(OvraDocumentTypeTest, AcceptsTicketDocumentsWhichRoundTrip) {
  std::vector<std::string> files;
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    const auto original = testing::RandomTicket(seed);
    std::unique_ptr<AttrNodeList> list;
    ASSERT_FALSE(BuildTicketAttributes(*original, list));
    files.push_back(Save("ticket" + std::to_string(seed) + ".xml", *list));

    AttrNodeList read;
    VelmorXmlFile(kOvraDocument, files.back().c_str(), kTicketName.c_str()).Read(read);
    auto back = TicketRecord::Allocate();
    InitTicketRecord(*back);
    ReadTicketAttributes(read, *back);
    // A document's texts lose their blanks at either end on reading.
    for (const FieldDifference& difference : CompareTickets(*original, *back)) {
      EXPECT_EQ(Trimmed(difference.left), difference.right)
          << "seed " << seed << ": " << difference.field;
    }
  }
  const Verdict verdict = Xmllint(files);
  EXPECT_EQ(verdict.status, 0) << verdict.messages;
}

// A defaulted attribute would appear in every parsed element and be written
// back; the type declares none.
TEST_F(OvraDocumentTypeTest, DeclaresNoDefaults) {
  VelmorXmlParser parser(kTicketName, true);
  parser.Parse(
      "<?xml version='1.0'?><!DOCTYPE ovra SYSTEM 'ovra-v02012.dtd'><ovra>"
      "<ovra-operation-attributes><job-name>j</job-name></ovra-operation-attributes>"
      "<job-template-attributes><media-col><media-size><x-dimension>1</x-dimension>"
      "</media-size><value/><lower-bound/></media-col></job-template-attributes></ovra>");
  std::size_t elements = 0;
  for (const xercesc::DOMElement* element = parser.GetDocument()->getDocumentElement();
       element != nullptr;) {
    ++elements;
    EXPECT_EQ(element->getAttributes()->getLength(), 0u);
    // Depth first through the elements.
    if (element->getFirstElementChild() != nullptr) {
      element = element->getFirstElementChild();
      continue;
    }
    while (element != nullptr && element->getNextElementSibling() == nullptr) {
      element = dynamic_cast<const xercesc::DOMElement*>(element->getParentNode());
    }
    if (element != nullptr) element = element->getNextElementSibling();
  }
  EXPECT_EQ(elements, 9u);
}

}  // namespace
}  // namespace ovrabjt

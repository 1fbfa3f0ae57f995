// The shared document types: parsed once, kept per file and identity,
// honouring edits, and giving the results of a parse without them.
#include "xml/grammar_cache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "attr/attr_node_list.h"
#include "support/temp_folder.h"
#include "xml/velmor_dom_doc.h"
#include "xml/velmor_xml_parser.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::DataDir;
using testing::ReadFileBytes;
using testing::StringOutput;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kTicket =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n"
    "<ovra version=\"1.0\" qrcs-version=\"2.01\"><job-template-attributes>"
    "<copies syntax=\"integer\">2</copies></job-template-attributes></ovra>";

// A document type that takes no job-template attributes.
const std::string kStrictType =
    "<!ELEMENT ovra EMPTY><!ATTLIST ovra version CDATA #REQUIRED qrcs-version CDATA #REQUIRED>";

// The outcome of a validated parse of `text` named `name`: its code and its
// messages.
struct Outcome {
  int code;
  std::vector<std::string> messages;
  bool operator==(const Outcome&) const = default;
};

Outcome Parse(const std::string& name, const std::string& text = kTicket) {
  VelmorXmlParser parser(DocumentReach::Beside(name).OnlyNamedType(), true);
  Outcome outcome{CodeRaisedBy([&] { parser.Parse(text); }), {}};
  for (const XmlMessage& message : parser.Reporter().Messages())
    outcome.messages.push_back(DescribeXmlMessage(message));
  return outcome;
}

// The same parse with the cache off.
Outcome ParseUncached(const std::string& name, const std::string& text = kTicket) {
  GrammarCache::Process().SetEnabled(false);
  Outcome outcome = Parse(name, text);
  GrammarCache::Process().SetEnabled(true);
  return outcome;
}

class GrammarCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GrammarCache::Process().Clear();
    std::filesystem::create_directories(folder / "parts");
    WriteFileBytes(folder / "ovra-v02012.dtd", ReadFileBytes(DataDir() + "ovra-v02012.dtd"));
    WriteFileBytes(folder / "parts/common.ent", ReadFileBytes(DataDir() + "parts/common.ent"));
  }
  void TearDown() override { GrammarCache::Process().Clear(); }

  TempFolder folder;
  const std::string job = folder / "job.xml";
};

TEST_F(GrammarCacheTest, ADocumentTypeIsParsedOnceForEveryParse) {
  const DocumentReach reach = DocumentReach::Beside(job);
  const auto first = GrammarCache::Process().Find(reach, u"ovra-v02012.dtd");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GrammarCache::Process().Find(reach, u"ovra-v02012.dtd"), first);
  EXPECT_EQ(Parse(job), (Outcome{0, {}}));
  EXPECT_EQ(GrammarCache::Process().Size(), 1u);
  // Reached by another name of the same folder, it is the same file.
  EXPECT_EQ(
      GrammarCache::Process().Find(DocumentReach::Beside(folder / "other.xml"), u"ovra-v02012.dtd"),
      first);
}

TEST_F(GrammarCacheTest, ADocumentTypeEditedBetweenTwoParsesIsHonoured) {
  EXPECT_EQ(Parse(job).code, 0);
  WriteFileBytes(folder / "ovra-v02012.dtd", kStrictType);
  const Outcome refused = Parse(job);
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused, ParseUncached(job));
  // Edited again within the same second, to the same size.
  std::string strict_too = kStrictType;
  strict_too.replace(strict_too.find("EMPTY"), 5, "(#PCDATA)");
  strict_too.resize(kStrictType.size(), ' ');
  WriteFileBytes(folder / "ovra-v02012.dtd", strict_too);
  EXPECT_EQ(Parse(job), ParseUncached(job));
  WriteFileBytes(folder / "ovra-v02012.dtd", ReadFileBytes(DataDir() + "ovra-v02012.dtd"));
  EXPECT_EQ(Parse(job).code, 0);
}

TEST_F(GrammarCacheTest, FoldersWithTypesOfTheSameNameEachValidateAgainstTheirOwn) {
  TempFolder strict;
  WriteFileBytes(strict / "ovra-v02012.dtd", kStrictType);
  const std::string strict_job = strict / "job.xml";
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(Parse(job).code, 0) << round;
    EXPECT_EQ(Parse(strict_job).code, 2) << round;
  }
  EXPECT_EQ(GrammarCache::Process().Size(), 2u);
}

TEST_F(GrammarCacheTest, AMissingTypeAfterACachedOneFailsAsAMissingTypeDoes) {
  EXPECT_EQ(Parse(job).code, 0);
  std::filesystem::remove(folder / "ovra-v02012.dtd");
  const Outcome missing = Parse(job);
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing, ParseUncached(job));
  ASSERT_FALSE(missing.messages.empty());
  EXPECT_NE(missing.messages[0].find("unable to open DTD document"), std::string::npos);
}

TEST_F(GrammarCacheTest, ATypeThatDoesNotParseIsNotKept) {
  WriteFileBytes(folder / "ovra-v02012.dtd", "<!ELEMENT ovra (unclosed>");
  EXPECT_EQ(GrammarCache::Process().Find(DocumentReach::Beside(job), u"ovra-v02012.dtd"), nullptr);
  const Outcome broken = Parse(job);
  EXPECT_EQ(broken.code, 2);
  EXPECT_EQ(broken, ParseUncached(job));
  EXPECT_EQ(GrammarCache::Process().Size(), 0u);
}

TEST_F(GrammarCacheTest, AFewGrammarsAreKeptTheLeastRecentlyUsedGoingFirst) {
  std::vector<std::unique_ptr<TempFolder>> folders;
  std::vector<std::shared_ptr<const CachedGrammar>> grammars;
  for (std::size_t i = 0; i <= GrammarCache::kCapacity; ++i) {
    folders.push_back(std::make_unique<TempFolder>());
    WriteFileBytes(*folders.back() / "t.dtd", kStrictType);
  }
  const auto find = [&](std::size_t i) {
    return GrammarCache::Process().Find(DocumentReach::Beside(*folders[i] / "j.xml"), u"t.dtd");
  };
  for (std::size_t i = 0; i < GrammarCache::kCapacity; ++i) grammars.push_back(find(i));
  EXPECT_EQ(find(0), grammars[0]);  // now the most recently used
  grammars.push_back(find(GrammarCache::kCapacity));
  EXPECT_EQ(GrammarCache::Process().Size(), GrammarCache::kCapacity);
  EXPECT_EQ(find(0), grammars[0]);
  // The second was the least recently used: parsed afresh, while the one
  // handed out before stays valid for its holder.
  const auto again = find(1);
  EXPECT_NE(again, grammars[1]);
  EXPECT_EQ(grammars[1]->Path(), again->Path());
}

TEST_F(GrammarCacheTest, DocumentsThatTheReachRefusesShareNothing) {
  struct Case {
    const char* what;
    DocumentReach reach;
    std::u16string system_id;
  } cases[] = {
      {"no name", DocumentReach::Nowhere("XmlStream"), u"ovra-v02012.dtd"},
      {"up a folder", DocumentReach::Beside(folder / "parts/job.xml"), u"../ovra-v02012.dtd"},
      {"a folder", DocumentReach::Beside(job), u"parts"},
      {"a missing file", DocumentReach::Beside(job), u"none.dtd"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GrammarCache::Process().Find(c.reach, c.system_id), nullptr) << c.what;
  GrammarCache::Process().SetEnabled(false);
  EXPECT_EQ(GrammarCache::Process().Find(DocumentReach::Beside(job), u"ovra-v02012.dtd"), nullptr);
  GrammarCache::Process().SetEnabled(true);
  EXPECT_EQ(GrammarCache::Process().Size(), 0u);
}

// The outcome of writing an empty ticket document beside `name`: its code,
// its text and its messages.
struct Written {
  int code;
  std::string text;
  std::vector<std::string> messages;
  bool operator==(const Written&) const = default;
};

Written WriteEmpty(const std::string& name, bool indent = true) {
  OvraDomDoc document(name, true);
  StringOutput out(indent);
  Written written{CodeRaisedBy([&] { document.WriteListTo(AttrNodeList(), out); }), {}, {}};
  written.text = out.text;
  for (const XmlMessage& message : document.Parser().Reporter().Messages())
    written.messages.push_back(DescribeXmlMessage(message));
  return written;
}

Written WriteEmptyUncached(const std::string& name, bool indent = true) {
  GrammarCache::Process().SetEnabled(false);
  Written written = WriteEmpty(name, indent);
  GrammarCache::Process().SetEnabled(true);
  return written;
}

TEST_F(GrammarCacheTest, ParsersAreKeptAfterAParseThatSucceededOnly) {
  EXPECT_EQ(Parse(job).code, 0);
  const auto grammar = GrammarCache::Process().Find(DocumentReach::Beside(job), u"ovra-v02012.dtd");
  ASSERT_NE(grammar, nullptr);
  EXPECT_EQ(grammar->IdleParsers(), 1u);
  const std::string undeclared = "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra><stray/></ovra>";
  EXPECT_EQ(Parse(job, undeclared).code, 2);
  EXPECT_EQ(grammar->IdleParsers(), 0u);
  {
    // Parsers in use at once are each kept afterwards, up to the bound.
    std::vector<std::unique_ptr<VelmorXmlParser>> parsers;
    for (std::size_t i = 0; i <= CachedGrammar::kIdleParsers; ++i) {
      parsers.push_back(
          std::make_unique<VelmorXmlParser>(DocumentReach::Beside(job).OnlyNamedType(), true));
      parsers.back()->Parse(kTicket);
    }
  }
  EXPECT_EQ(grammar->IdleParsers(), CachedGrammar::kIdleParsers);
}

TEST_F(GrammarCacheTest, KeptParsersGiveTheOutcomesOfNewOnesWhateverParsedBefore) {
  const std::string documents[] = {
      kTicket,
      "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra><stray/></ovra>",
      "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra version=\"1.0\"",
      kTicket + "<!-- after -->",
      "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\"><ovra version=\"1.0\" qrcs-version=\"2.01\">"
      "<job-template-attributes><copies syntax=\"integer\">&amp;</copies>"
      "</job-template-attributes></ovra>",
  };
  std::vector<Outcome> uncached;
  for (const std::string& text : documents) uncached.push_back(ParseUncached(job, text));
  for (int round = 0; round < 3; ++round)
    for (std::size_t i = 0; i < std::size(documents); ++i)
      EXPECT_EQ(Parse(job, documents[i]), uncached[i]) << "document " << i << ", round " << round;
}

TEST_F(GrammarCacheTest, AKeptTemplateGivesTheBytesOfAFreshParseAndHonoursAnEditedType) {
  const Written first = WriteEmpty(job);
  ASSERT_EQ(first.code, 0);
  EXPECT_EQ(first, WriteEmptyUncached(job));
  EXPECT_EQ(WriteEmpty(job), first);
  EXPECT_EQ(WriteEmpty(job, false), WriteEmptyUncached(job, false));
  // The template declares xml:lang, which this type does not.
  WriteFileBytes(folder / "ovra-v02012.dtd", kStrictType);
  const Written refused = WriteEmpty(job);
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused, WriteEmptyUncached(job));
  WriteFileBytes(folder / "ovra-v02012.dtd", ReadFileBytes(DataDir() + "ovra-v02012.dtd"));
  EXPECT_EQ(WriteEmpty(job), first);
  std::filesystem::remove(folder / "ovra-v02012.dtd");
  const Written missing = WriteEmpty(job);
  EXPECT_EQ(missing.code, 2);
  EXPECT_EQ(missing, WriteEmptyUncached(job));
}

TEST(NamedDocumentType, SeesTheSystemIdentifierOfAPlainProlog) {
  struct Case {
    std::string text;
    std::optional<std::u16string> named;
  } cases[] = {
      {"<!DOCTYPE ovra SYSTEM \"a.dtd\"><ovra/>", u"a.dtd"},
      {"\xEF\xBB\xBF<?xml version='1.0'?>\r\n<!-- x -->\n<!DOCTYPE ovra SYSTEM 'a.dtd'>", u"a.dtd"},
      {"<!DOCTYPE ovra PUBLIC \"-//x//y\" \"b.dtd\" [<!ELEMENT ovra ANY>]><ovra/>", u"b.dtd"},
      {"<!DOCTYPE ovra\n\tSYSTEM\n'c d.dtd'>", u"c d.dtd"},
      {"<ovra/>", std::nullopt},
      {"<!DOCTYPE ovra [<!ELEMENT ovra ANY>]><ovra/>", std::nullopt},
      {"<!DOCTYPE ovra SYSTEM a.dtd>", std::nullopt},
      {"<!DOCTYPE ovra SYSTEM \"unclosed", std::nullopt},
      {"<!DOCTYPE ovra SYSTEM \"\xC3\xA9.dtd\">", std::nullopt},
      {"<!-- unclosed <!DOCTYPE ovra SYSTEM \"a.dtd\">", std::nullopt},
      {"x<!DOCTYPE ovra SYSTEM \"a.dtd\">", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(NamedDocumentType(c.text), c.named) << c.text;
}

}  // namespace
}  // namespace ovrabjt

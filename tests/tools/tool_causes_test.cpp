// The causes the tool puts in words: a document type that is missing or
// cannot be read, a document without one, a document of the wrong kind,
// long messages cut, every error once; and the values of a document that do
// not take effect, which are warned about, fail under --strict, and leave
// the conversion as it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ovrabjt::testing {
namespace {

const std::string kData = kSourceDtdFolder;

// A case's words may hold "{dir}", the test's folder.
using Case = ExpectedRun;

class ToolCauses : public ::testing::Test {
 protected:
  // The example ticket with the first `find` replaced by `replace`, as
  // dir/name; the path.
  std::string Variant(const std::string& name, const std::string& find,
                      const std::string& replace) const {
    std::string text = ReadFileBytes(kExampleTicket);
    const std::size_t at = text.find(find);
    EXPECT_NE(at, std::string::npos) << find;
    if (at != std::string::npos) text.replace(at, find.size(), replace);
    WriteFileBytes(dir / name, text);
    return dir / name;
  }

  void ExpectRuns(const std::vector<Case>& cases) const {
    testing::ExpectRuns(cases, [this](std::string text) { return Expand(std::move(text)); });
  }

  std::string Expand(std::string text) const {
    for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;)
      text.replace(at, 5, dir.Path());
    return text;
  }

  TempFolder dir;
};

TEST_F(ToolCauses, AMissingOrUnreadableDocumentTypeIsNamedWithWhereItWasLookedFor) {
  Variant("other.xml", "ovra-v02012.dtd", "ovra-v10x.dtd");
  std::filesystem::create_directory(dir / "folder.dtd");
  Variant("folder.xml", "\"ovra-v02012.dtd\"", "\"" + dir / "folder.dtd" + "\"");
  const std::string missing =
      "ovrabjt: '{dir}/other.xml': cannot open document type 'ovra-v10x.dtd' (looked in " + kData +
      ")\n";
  const std::string unreadable =
      "ovrabjt: '{dir}/folder.xml': cannot open document type '{dir}/folder.dtd' (looked in "
      "{dir})\n";
  ExpectRuns({{{"from-xml", "{dir}/other.xml", "-o", "{dir}/out.bjt"}, 1, missing},
              {{"check", "{dir}/other.xml"}, 1, missing},
              // validate says the cause alone, not the library's messages after it
              {{"validate", "{dir}/other.xml"}, 1, missing},
              {{"from-xml", "{dir}/folder.xml", "-o", "{dir}/out.bjt"}, 1, unreadable},
              {{"validate", "{dir}/folder.xml"}, 1, unreadable}});
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

TEST_F(ToolCauses, ADocumentWithoutADocumentTypeIsToldHowOneStarts) {
  Variant("plain.xml", "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">", "");
  const std::string cause =
      "ovrabjt: '{dir}/plain.xml': no document type declaration; an ovra document starts with "
      "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n";
  ExpectRuns({{{"from-xml", "{dir}/plain.xml", "-o", "{dir}/out.bjt"}, 1, cause},
              {{"check", "{dir}/plain.xml"}, 1, cause},
              {{"validate", "{dir}/plain.xml"}, 1, cause},
              {{"--release", "3.0.15", "validate", "{dir}/plain.xml"},
               1,
               "ovrabjt: '{dir}/plain.xml': no document type declaration; an ovra document starts "
               "with <!DOCTYPE ovra SYSTEM \"ovra-v10.dtd\">\n"}});
}

TEST_F(ToolCauses, ValidateNamesTheDocumentTypeItReallyCheckedAgainst) {
  const ToolRun valid = RunTool({"--release", "3.0.15", "validate", kExampleTicket});
  EXPECT_EQ(valid.exit_code, 0) << valid.err;
  EXPECT_EQ(valid.out, "'" + kExampleTicket +
                           "': valid ovra document (ovra-v02012.dtd; release 3.0.15 writes "
                           "ovra-v10.dtd), 30 attributes\n");
  const std::string invalid = Variant("invalid.xml", "</copies>", "</copies><bogus/>");
  const ToolRun run = RunTool({"--release", "3.0.15", "validate", invalid});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.err.ends_with("ovrabjt: '" + invalid +
                                "' is not valid against ovra-v02012.dtd: 2 errors\n"))
      << run.err;
}

TEST_F(ToolCauses, ADocumentOfTheWrongKindIsSaidToBeOne) {
  const std::string caps = kExamples + "capabilities.xml";
  const std::string prefs = kExamples + "mediaprefs.xml";
  WriteFileBytes(dir / "other.xml", "<?xml version=\"1.0\"?>\n<!-- a note -->\n<catalogue/>\n");
  const std::string ticket = "'" + kExampleTicket + "' is an ovra job ticket, ";
  const std::string kesp = "'" + caps + "' is a capabilities (kesp) document, ";
  const std::string mediaprefs = "'" + prefs + "' is a media-preferences (mediaprefs) document, ";
  ExpectRuns(
      {{{"caps", prefs},
        1,
        "ovrabjt: " + mediaprefs +
            "not a capabilities (kesp) document; 'ovrabjt stocks' reads it\n"},
       {{"caps", kExampleTicket},
        1,
        "ovrabjt: " + ticket +
            "not a capabilities (kesp) document; 'ovrabjt from-xml' converts it into a packed "
            "ticket\n"},
       {{"stocks", caps},
        1,
        "ovrabjt: " + kesp +
            "not a media-preferences (mediaprefs) document; 'ovrabjt caps' reads "
            "it\n"},
       {{"to-xml", kExampleTicket},
        1,
        "ovrabjt: " + ticket +
            "not a packed ticket; 'ovrabjt from-xml' converts it into a packed ticket\n"},
       {{"dump", caps}, 1, "ovrabjt: " + kesp + "not a packed ticket; 'ovrabjt caps' reads it\n"},
       {{"from-xml", caps, "-o", "{dir}/out.bjt"},
        1,
        "ovrabjt: " + kesp + "not an ovra job ticket; 'ovrabjt caps' reads it\n"},
       {{"check", prefs},
        1,
        "ovrabjt: " + mediaprefs + "not an ovra job ticket; 'ovrabjt stocks' reads it\n"},
       {{"validate", "--kind", "kesp", kExampleTicket},
        1,
        "ovrabjt: " + ticket +
            "not a capabilities (kesp) document; 'ovrabjt from-xml' converts it into a packed "
            "ticket\n"},
       {{"from-xml", "{dir}/other.xml", "-o", "{dir}/out.bjt"},
        1,
        "ovrabjt: '{dir}/other.xml' is not an ovra job ticket: its root element is 'catalogue'\n"},
       {{"to-xml", "{dir}/other.xml"},
        1,
        "ovrabjt: '{dir}/other.xml' is an XML document, not a packed ticket\n"}});
  const ToolRun piped = RunTool({"caps", "-"}, ReadFileBytes(prefs));
  EXPECT_EQ(piped.exit_code, 1);
  EXPECT_EQ(piped.err,
            "ovrabjt: standard input is a media-preferences (mediaprefs) document, not a "
            "capabilities (kesp) document; 'ovrabjt stocks' reads it\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST_F(ToolCauses, EveryErrorIsSaidOnceAndALongOneIsCutWithWhatIsNotAllowedFirst) {
  const std::string bogus = Variant("bogus.xml", "</copies>", "</copies><bogus/>");
  // A declared element in the wrong group breaks only the group's content
  // model, whose message lists the whole model.
  const std::string misplaced = Variant("misplaced.xml", "</requesting-user-name>",
                                        "</requesting-user-name><copies syntax=\"integer\">2"
                                        "</copies>");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"validate", bogus},
                                               {"from-xml", bogus, "-o", dir / "x.bjt"},
                                               {"check", bogus},
                                               {"validate", misplaced},
                                               {"from-xml", misplaced, "-o", dir / "x.bjt"}}) {
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exit_code, 1) << args[0];
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = run.err.find('\n', at)) != std::string::npos; at = end + 1)
      lines.push_back(run.err.substr(at, end - at));
    std::vector<std::string> sorted = lines;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << run.err;
    EXPECT_LE(Count(run.err, "no declaration found for element 'bogus'"), 1u) << run.err;
    for (const std::string& line : lines) EXPECT_LE(line.size(), 260u) << line;
  }
  const ToolRun run = RunTool({"from-xml", misplaced, "-o", dir / "x.bjt"});
  const std::string cut = "element 'copies' is not allowed here; the content model is (job-name|";
  const std::size_t at = run.err.find(cut);
  ASSERT_NE(at, std::string::npos) << run.err;
  EXPECT_TRUE(run.err.starts_with("ovrabjt: '" + misplaced +
                                  "': document is not valid against ovra-v02012.dtd: line "))
      << run.err;
  EXPECT_TRUE(run.err.ends_with("...\n")) << run.err;
  EXPECT_EQ(Count(run.err, "\n"), 1u);
}

// A value written one way, the same document with the value written so that
// it plainly does what the first one does, and the warning about the first.
struct IneffectiveValue {
  std::string find, written, equivalent;
  std::string warning;
};

TEST_F(ToolCauses, ValuesThatDoNotTakeEffectAreWarnedAboutAndFailUnderStrict) {
  const IneffectiveValue cases[] = {
      {"<copies syntax=\"integer\">25</copies>", "<copies syntax=\"integer\">twenty-five</copies>",
       "<copies syntax=\"integer\">0</copies>",
       "copies: 'twenty-five' is not an integer; read as 0"},
      {"<copies syntax=\"integer\">25</copies>", "<copies syntax=\"integer\">25 copies</copies>",
       "<copies syntax=\"integer\">25</copies>",
       "copies: '25 copies' is not an integer; read as 25"},
      {"<copies syntax=\"integer\">25</copies>", "<copies syntax=\"integr\">25</copies>",
       "<copies syntax=\"integer\">0</copies>",
       "copies: unknown syntax 'integr'; its text '25' is dropped and the value read as 0"},
      {"<copies syntax=\"integer\">25</copies>", "<copies syntax=\"keyword\">many</copies>",
       "<copies syntax=\"integer\">0</copies>", "copies: a keyword, not an integer; read as 0"},
      {"<copies syntax=\"integer\">25</copies>", "<copies syntax=\"integer\"/>", "",
       "copies: an element without content; read as nothing"},
      {"<sides syntax=\"keyword\">two-sided-long-edge</sides>",
       "<sides syntax=\"keyword\">three-sided</sides>", "",
       "sides: 'three-sided' is not one of its keywords (one-sided, two-sided-long-edge, "
       "two-sided-short-edge); ignored"},
      {"<orientation-requested syntax=\"enum\">3</orientation-requested>",
       "<orientation-requested syntax=\"enum\">5</orientation-requested>", "",
       "orientation-requested: 5 is not one of 3, 4; ignored"},
      {"<media-front-coating syntax=\"keyword\">glossy</media-front-coating>",
       "<media-front-coating syntax=\"keyword\">shiny</media-front-coating>", "",
       "cover-front/media-col/media-front-coating: 'shiny' is not one of its keywords (none, "
       "matte, glossy, "
       "high-gloss, semi-gloss, satin); ignored"},
      {"<upper-bound syntax=\"integer\">48</upper-bound>", "",
       "<upper-bound syntax=\"integer\">99999</upper-bound>",
       "page-ranges/value[1]: a range without 'upper-bound'; that bound is not set"},
      {"<trapping syntax=\"keyword\">all</trapping>", "<trapping syntax=\"uri\">all</trapping>", "",
       "trapping: a uri, not a keyword; ignored"},
  };
  int n = 0;
  for (const IneffectiveValue& c : cases) {
    const std::string name = "case" + std::to_string(n++);
    const std::string written = Variant(name + ".xml", c.find, c.written);
    const std::string equivalent = Variant(name + "-same.xml", c.find, c.equivalent);
    const std::string warning = "ovrabjt: warning: '" + written + "': " + c.warning + "\n";

    const ToolRun lenient = RunTool({"from-xml", written, "-o", dir / (name + ".bjt")});
    EXPECT_EQ(lenient.exit_code, 0) << c.warning;
    EXPECT_EQ(lenient.err, warning);
    const ToolRun same = RunTool({"from-xml", equivalent, "-o", dir / (name + "-same.bjt")});
    EXPECT_EQ(same.exit_code, 0) << same.err;
    // The value did what the plain one does: the same packed ticket.
    EXPECT_EQ(ReadFileBytes(dir / (name + ".bjt")), ReadFileBytes(dir / (name + "-same.bjt")))
        << c.warning;
    EXPECT_EQ(same.err, "") << c.warning;

    const ToolRun strict =
        RunTool({"from-xml", "--strict", written, "-o", dir / (name + "-s.bjt")});
    EXPECT_EQ(strict.exit_code, 1);
    EXPECT_EQ(strict.err, warning + "ovrabjt: '" + written +
                              "': 1 value does not take effect as written (--strict)\n");
    EXPECT_FALSE(std::filesystem::exists(dir / (name + "-s.bjt")));

    const ToolRun validated = RunTool({"validate", written});
    EXPECT_EQ(validated.exit_code, 0);
    EXPECT_EQ(validated.err, warning);
    EXPECT_EQ(RunTool({"validate", "--strict", written}).exit_code, 1);
    const ToolRun checked = RunTool({"check", "--strict", written});
    EXPECT_EQ(checked.exit_code, 1);
    EXPECT_EQ(checked.out, "");
  }
}

TEST_F(ToolCauses, AttributesAnOlderReleaseDoesNotKnowAreWarnedAboutAndIgnored) {
  const ToolRun run =
      RunTool({"--release", "3.0.15", "from-xml", kExampleTicket, "-o", dir / "old.bjt"});
  EXPECT_EQ(run.exit_code, 0);
  const std::string prefix = "ovrabjt: warning: '" + kExampleTicket + "': ";
  EXPECT_EQ(run.err,
            prefix + "job-phone-number: not in the vocabulary of release 3.0.15; ignored\n" +
                prefix + "trap-width-fast: not in the vocabulary of release 3.0.15; ignored\n" +
                prefix + "media-col/media-type: not read in release 3.0.15; ignored\n" + prefix +
                "page-overrides: not in the vocabulary of release 3.0.15; ignored\n" + prefix +
                "insert-sheet/value[1]/media-col/media-type: not read in release 3.0.15; "
                "ignored\n");
}

TEST(ToolValues, TheExamplesHaveNoValueThatDoesNotTakeEffect) {
  for (const char* file : {"ticket.xml", "capabilities.xml", "mediaprefs.xml"}) {
    const ToolRun run = RunTool({"validate", "--strict", kExamples + file});
    EXPECT_EQ(run.exit_code, 0) << file << ": " << run.err;
    EXPECT_EQ(run.err, "") << file;
  }
  TempFolder dir;
  const ToolRun run = RunTool({"from-xml", "--strict", kExampleTicket, "-o", dir / "t.bjt"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(RunTool({"check", "--strict", dir / "t.bjt"}).exit_code, 0);
}

// A bundled document in UTF-16, as the XML library reads it too: with a
// byte-order mark, or by its first character alone.
std::string InUtf16(const std::string& file, bool little_endian, bool mark) {
  std::string text = ReadFileBytes(kExamples + file);
  text.replace(text.find("UTF-8"), 5, "UTF-16");
  std::string bytes = mark ? (little_endian ? "\xFF\xFE" : "\xFE\xFF") : "";
  for (const char16_t unit : Utf8ToUtf16(text)) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

TEST_F(ToolCauses, DocumentsInUtf16AreReadAsWhatTheySay) {
  ASSERT_EQ(RunTool({"from-xml", kExampleTicket, "-o", dir / "ticket.bjt"}).exit_code, 0);
  WriteFileBytes(dir / "marked.xml", InUtf16("ticket.xml", true, true));
  WriteFileBytes(dir / "unmarked.xml", InUtf16("ticket.xml", false, false));
  WriteFileBytes(dir / "delta.xml", InUtf16("delta.xml", true, false));
  WriteFileBytes(dir / "caps.xml", InUtf16("capabilities.xml", false, true));
  ASSERT_EQ(RunTool({"merge", kExampleTicket, kExamples + "delta.xml", "-o", dir / "merged.bjt"})
                .exit_code,
            0);
  const std::string packed = ReadFileBytes(dir / "ticket.bjt");
  for (const char* document : {"marked", "unmarked"}) {
    const std::string file = dir / (std::string(document) + ".xml");
    const ToolRun converted = RunTool({"from-xml", "--strict", file, "-o", dir / "again.bjt"});
    EXPECT_EQ(converted.exit_code, 0) << document << ": " << converted.err;
    EXPECT_EQ(ReadFileBytes(dir / "again.bjt"), packed) << document;
    EXPECT_EQ(RunTool({"diff", file, dir / "ticket.bjt"}).exit_code, 0) << document;
    EXPECT_EQ(RunTool({"check", file}).exit_code, 0) << document;
    EXPECT_EQ(RunTool({"validate", "--strict", file}).exit_code, 0) << document;
    EXPECT_EQ(RunTool({"fit", file, dir / "caps.xml"}).exit_code, 0) << document;
    ExpectRuns({{{"to-xml", file},
                 1,
                 "ovrabjt: '" + file +
                     "' is an ovra job ticket, not a packed ticket; 'ovrabjt from-xml' converts "
                     "it into a packed ticket\n"}});
  }
  const ToolRun merged =
      RunTool({"merge", dir / "unmarked.xml", dir / "delta.xml", "-o", dir / "merged16.bjt"});
  EXPECT_EQ(merged.exit_code, 0) << merged.err;
  EXPECT_EQ(ReadFileBytes(dir / "merged16.bjt"), ReadFileBytes(dir / "merged.bjt"));
  const std::string asked = "halftone-graphics-supported";
  EXPECT_EQ(RunTool({"caps", dir / "caps.xml", asked}).out,
            RunTool({"caps", kExamples + "capabilities.xml", asked}).out);
  EXPECT_EQ(RunTool({"caps", dir / "caps.xml", asked}).out, "photo-fine\ntext-sharp\nstochastic\n");
  ExpectRuns({{{"stocks", dir / "caps.xml"},
               1,
               "ovrabjt: '{dir}/caps.xml' is a capabilities (kesp) document, not a "
               "media-preferences (mediaprefs) document; 'ovrabjt caps' reads it\n"}});
}

}  // namespace
}  // namespace ovrabjt::testing

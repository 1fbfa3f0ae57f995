// merge, fit and diff as the README shows them on the bundled documents, and
// every failure they name: files of the wrong kind, a delta that does not
// validate, a capabilities document that constrains nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ovrabjt::testing {
namespace {

const std::string kDelta = kExamples + "delta.xml";
const std::string kCapabilities = kExamples + "capabilities.xml";

class ToolOperations : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunTool({"from-xml", kExampleTicket, "-o", dir / "ticket.bjt"}).exit_code, 0);
    ASSERT_EQ(RunTool({"merge", kExampleTicket, kDelta, "-o", dir / "merged.bjt"}).exit_code, 0);
  }

  // Runs the tool in the examples' folder words: file names as given.
  ToolRun Run(std::vector<std::string> args, const std::string& input = {}) {
    for (std::string& word : args)
      for (const auto& [name, path] :
           {std::pair<std::string, std::string>{"{dir}", dir.Path()}, {"{examples}", kExamples}})
        for (std::size_t at; (at = word.find(name)) != std::string::npos;)
          word.replace(at, name.size(), path);
    return RunTool(args, input);
  }

  // The bundled document `source` with the first `find` replaced by
  // `replace`, as dir/name; the path.
  std::string Variant(const std::string& source, const std::string& name, const std::string& find,
                      const std::string& replace) const {
    std::string text = ReadFileBytes(kExamples + source);
    const std::size_t at = text.find(find);
    EXPECT_NE(at, std::string::npos) << find;
    if (at != std::string::npos) text.replace(at, find.size(), replace);
    WriteFileBytes(dir / name, text);
    return dir / name;
  }

  TempFolder dir;
};

TEST_F(ToolOperations, TheReadmeExampleGivesItsLines) {
  const ToolRun diff = Run({"diff", "{examples}ticket.xml", "{dir}/merged.bjt"});
  EXPECT_EQ(diff.exit_code, 1);
  EXPECT_EQ(diff.out,
            "'" + kExampleTicket + "' and '" + dir.Path() +
                "/merged.bjt' differ in 7 fields:\n"
                "  copies: 25 -> 2\n"
                "  halftone: none -> \"coarse-dots\"\n"
                "  sides: two-sided-long-edge (2) -> one-sided (1)\n"
                "  backCoverPrint: print-none (1) -> print-back (4)\n"
                "  backCoverMedia.frontCoating: glossy (8) -> not given (1)\n"
                "  backCoverMedia.color: blue (8) -> pink (2)\n"
                "  backCoverMedia.description: \"Cover blue 250\" -> \"Cover pink 250\"\n");
  EXPECT_EQ(diff.err, "");

  const std::string unsupported =
      "job: halftone-graphics \"coarse-dots\" is not supported; halftone-graphics-supported has 3 "
      "values: \"photo-fine\", \"text-sharp\", \"stochastic\"\n";
  const ToolRun fit = Run({"fit", "{dir}/merged.bjt", "{examples}capabilities.xml"});
  EXPECT_EQ(fit.exit_code, 1);
  EXPECT_EQ(fit.out, unsupported + "'" + dir.Path() + "/merged.bjt' on '" + kCapabilities +
                         "': 1 of 6 settings do not fit\n");

  const ToolRun drop = Run({"fit", "{dir}/merged.bjt", "{examples}capabilities.xml",
                            "--drop-unsupported", "-o", "{dir}/fitted.bjt"});
  EXPECT_EQ(drop.exit_code, 1);
  EXPECT_EQ(drop.out, fit.out);
  const ToolRun fitted = Run({"fit", "{dir}/fitted.bjt", "{examples}capabilities.xml"});
  EXPECT_EQ(fitted.exit_code, 0);
  EXPECT_EQ(fitted.out, "'" + dir.Path() + "/fitted.bjt' on '" + kCapabilities +
                            "': every setting fits (5 settings checked against 9 capabilities)\n");
  const ToolRun dropped = Run({"diff", "{dir}/merged.bjt", "{dir}/fitted.bjt"});
  EXPECT_EQ(dropped.exit_code, 1);
  EXPECT_EQ(dropped.out, "'" + dir.Path() + "/merged.bjt' and '" + dir.Path() +
                             "/fitted.bjt' differ in 1 field:\n"
                             "  halftone: \"coarse-dots\" -> none\n");
}

TEST_F(ToolOperations, EqualTicketsInEitherFormPrintNothing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"diff", "{examples}ticket.xml", "{dir}/ticket.bjt"},
        {"diff", "{dir}/ticket.bjt", "-"}}) {
    const ToolRun run = Run(args, ReadFileBytes(dir / "ticket.bjt"));
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "");
  }
  // The bundled example fits the bundled printer.
  const ToolRun fit = Run({"fit", "{examples}ticket.xml", "{examples}capabilities.xml"});
  EXPECT_EQ(fit.exit_code, 0);
  EXPECT_EQ(fit.out, "'" + kExampleTicket + "' on '" + kCapabilities +
                         "': every setting fits (5 settings checked against 9 capabilities)\n");
}

TEST_F(ToolOperations, MergeWritesAPackedTicketOrADocument) {
  // A base from standard input, the result as a document that loads back
  // to the same ticket.
  const ToolRun xml = Run({"merge", "-", "{examples}delta.xml", "-o", "{dir}/merged.xml", "--xml"},
                          ReadFileBytes(dir / "ticket.bjt"));
  ASSERT_EQ(xml.exit_code, 0) << xml.err;
  EXPECT_EQ(xml.out, "");
  EXPECT_TRUE(ReadFileBytes(dir / "merged.xml").starts_with("<?xml version=\"1.0\""));
  EXPECT_EQ(Run({"diff", "{dir}/merged.xml", "{dir}/merged.bjt"}).exit_code, 0);
  // The same document over the ticket it came from changes no setting.
  const ToolRun again =
      Run({"merge", "{dir}/merged.bjt", "{dir}/merged.xml", "-o", "{dir}/again.bjt"});
  EXPECT_EQ(again.exit_code, 0);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(Run({"diff", "{dir}/again.bjt", "{dir}/merged.bjt"}).exit_code, 0);
}

TEST_F(ToolOperations, JsonReportsForScripts) {
  using Json = nlohmann::json;
  const ToolRun diff = Run({"diff", "--json", "{dir}/ticket.bjt", "{dir}/merged.bjt"});
  EXPECT_EQ(diff.exit_code, 1);
  const Json d = Json::parse(diff.out);
  EXPECT_EQ(d["equal"], false);
  ASSERT_EQ(d["differences"].size(), 7u);
  EXPECT_EQ(d["differences"][0], Json::parse(R"({"field": "copies", "a": 25, "b": 2})"));
  EXPECT_EQ(d["differences"][1],
            Json::parse(R"({"field": "halftone", "a": "", "b": "coarse-dots"})"));
  EXPECT_EQ(d["differences"][2]["b"], Json::parse(R"({"code": 1, "meaning": "one-sided"})"));

  const ToolRun fit = Run({"fit", "--json", "{dir}/merged.bjt", "{examples}capabilities.xml"});
  EXPECT_EQ(fit.exit_code, 1);
  const Json f = Json::parse(fit.out);
  EXPECT_EQ(f["fits"], false);
  EXPECT_EQ(f["checked"], 6);
  EXPECT_EQ(f["constrainingCapabilities"].size(), 9u);
  EXPECT_EQ(f["unsupported"], Json::parse(R"([{"where": "job", "attribute": "halftone-graphics",
      "value": "coarse-dots", "capability": "halftone-graphics-supported", "supportedCount": 3,
      "supported": ["photo-fine", "text-sharp", "stochastic"]}])"));
}

TEST_F(ToolOperations, AnUnsupportedLineShowsThreeValuesAndCountsTheRest) {
  std::string values;
  for (const char* v : {"a", "b", "c", "d", "e"})
    values += std::string("<value syntax=\"keyword\">") + v + "</value>";
  WriteFileBytes(dir / "printer.xml", "<kesp><halftone-graphics-supported syntax=\"1setOf\">" +
                                          values + "</halftone-graphics-supported></kesp>");
  const ToolRun run = Run({"fit", "{dir}/merged.bjt", "{dir}/printer.xml"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.out.starts_with(
      "job: halftone-graphics \"coarse-dots\" is not supported; halftone-graphics-supported has "
      "5 values: \"a\", \"b\", \"c\" and 2 more\n"
      "page override 1 (pages 12-13): halftone-graphics \"photo-fine\" is not supported; "))
      << run.out;
}

TEST_F(ToolOperations, FitDropsToStandardOutputAndReportsOnStandardError) {
  const ToolRun run = Run({"fit", "{dir}/merged.bjt", "{examples}capabilities.xml",
                           "--drop-unsupported", "-o", "-", "--xml"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.out.starts_with("<?xml")) << run.out;
  EXPECT_EQ(run.out.find("coarse-dots"), std::string::npos);
  EXPECT_TRUE(run.err.ends_with(": 1 of 6 settings do not fit\n")) << run.err;
}

TEST_F(ToolOperations, FailuresNameTheFileAndTheCause) {
  WriteFileBytes(dir / "invalid.xml",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n<ovra version=\"1.0\">\n"
                 "<job-template-attributes><bogus/></job-template-attributes>\n</ovra>\n");
  WriteFileBytes(
      dir / "printer.xml",
      "<?xml version=\"1.0\"?>\n<kesp>\n  <sides-supported syntax=\"1setOf\">\n"
      "    <value syntax=\"keyword\">one-sided</value>\n  </sides-supported>\n</kesp>\n");
  const std::string ticket = "'" + kExampleTicket + "'";
  const std::string caps = "'" + kCapabilities + "'";
  const std::string packed = "'" + dir.Path() + "/ticket.bjt'";
  // The words every subcommand uses for a file of the wrong kind.
  const std::string kesp_as_ticket =
      "ovrabjt: " + caps +
      " is a capabilities (kesp) document, not an ovra job ticket; 'ovrabjt caps' reads it\n";
  const struct {
    std::vector<std::string> args;
    int exit_code;
    std::string err;  // exactly what standard error holds
    std::string out = "";
  } cases[] = {
      {{"merge", "{examples}capabilities.xml", "{examples}delta.xml", "-o", "{dir}/out.bjt"},
       1,
       kesp_as_ticket},
      {{"merge", "{dir}/ticket.bjt", "{dir}/ticket.bjt", "-o", "{dir}/out.bjt"},
       1,
       "ovrabjt: " + packed +
           " is not an ovra job ticket: it holds no XML text; 'ovrabjt to-xml' converts a packed "
           "ticket into one\n"},
      {{"merge", "{dir}/ticket.bjt", "{examples}capabilities.xml", "-o", "{dir}/out.bjt"},
       1,
       kesp_as_ticket},
      {{"merge", "{dir}/ticket.bjt", "{dir}/invalid.xml", "-o", "{dir}/out.bjt"},
       1,
       "ovrabjt: '" + dir.Path() +
           "/invalid.xml': document is not valid against ovra-v02012.dtd: line 4, column 32: "
           "no declaration found for element 'bogus'\n"},
      {{"fit", "{examples}ticket.xml", "{examples}ticket.xml"},
       2,
       "ovrabjt: " + ticket +
           " is an ovra job ticket, not a capabilities (kesp) document; 'ovrabjt from-xml' "
           "converts it into a packed ticket\n"},
      {{"fit", "{examples}ticket.xml", "{dir}/ticket.bjt"},
       2,
       "ovrabjt: " + packed + " is not a capabilities (kesp) document: it holds no XML text\n"},
      {{"fit", "{examples}capabilities.xml", "{examples}capabilities.xml"}, 2, kesp_as_ticket},
      {{"fit", "{examples}ticket.xml", "{dir}/printer.xml"},
       0,
       "ovrabjt: '" + dir.Path() +
           "/printer.xml' has none of the capabilities that constrain a ticket's settings; "
           "nothing was checked\n",
       ticket + " on '" + dir.Path() +
           "/printer.xml': every setting fits (0 settings checked against 0 capabilities)\n"},
      {{"diff", "{examples}ticket.xml", "{examples}capabilities.xml"}, 2, kesp_as_ticket},
      {{"diff", "{examples}ticket.xml", "{dir}/missing.bjt"},
       2,
       "ovrabjt: cannot open '" + dir.Path() +
           "/missing.bjt' for reading: No such file or directory\n"},
      {{"diff", "{dir}/invalid.xml", "{dir}/ticket.bjt"},
       2,
       "ovrabjt: '" + dir.Path() +
           "/invalid.xml': document is not valid against ovra-v02012.dtd: line 4, column 32: "
           "no declaration found for element 'bogus'\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(c.args);
    std::string line;
    for (const std::string& word : c.args) line += " " + word;
    EXPECT_EQ(run.exit_code, c.exit_code) << line;
    EXPECT_EQ(run.err, c.err) << line;
    EXPECT_EQ(run.out, c.out) << line;
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

TEST_F(ToolOperations, CommandLineMistakesExitWithTwoAndSaySo) {
  const struct {
    std::vector<std::string> args;
    std::string said;
  } cases[] = {
      {{"merge", "-", "-", "-o", "{dir}/out.bjt"},
       "only one of BASE and DELTA can be standard input"},
      {{"merge", "{dir}/ticket.bjt", "{examples}delta.xml"}, "--output is required"},
      {{"fit", "{examples}ticket.xml", "{examples}capabilities.xml", "--drop-unsupported"},
       "--drop-unsupported requires --output"},
      {{"fit", "{examples}ticket.xml", "{examples}capabilities.xml", "--xml"},
       "--xml needs --drop-unsupported and -o"},
      {{"diff", "-", "-"}, "only one of A and B can be standard input"},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(c.args);
    EXPECT_EQ(run.exit_code, 2) << c.said;
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    // The mistake points to the subcommand's own help.
    EXPECT_TRUE(
        run.err.ends_with("\nRun 'ovrabjt " + c.args.front() + " --help' for its options.\n"))
        << run.err;
    EXPECT_EQ(run.out, "") << c.said;
  }
}

TEST_F(ToolOperations, EachSubcommandHasHelp) {
  const struct {
    const char* command;
    std::vector<std::string> words;
  } cases[] = {
      {"merge", {"Usage: ovrabjt merge [OPTIONS] base delta", "-o,--output OUT", "--xml"}},
      {"fit",
       {"Usage: ovrabjt fit [OPTIONS] ticket capabilities", "--drop-unsupported", "--json",
        "exit 0 when every setting is supported, 1 when one is not, 2 on trouble"}},
      {"diff",
       {"Usage: ovrabjt diff [OPTIONS] a b", "--json",
        "exit 0 when they are equal, 1 when they differ, 2 on trouble"}},
  };
  for (const auto& c : cases) {
    const ToolRun help = Run({c.command, "--help"});
    EXPECT_EQ(help.exit_code, 0) << c.command;
    for (const std::string& word : c.words)
      EXPECT_NE(help.out.find(word), std::string::npos) << c.command << ": " << word;
  }
}

// Each cause, in a file every subcommand reads as an ovra document, is said
// in the same words by each of them: as a ticket, as a delta, as either side
// of a diff. Exit codes stay each subcommand's own.
TEST_F(ToolOperations, EveryReaderOfAnOvraDocumentSaysWhatIsWrongInTheSameWords) {
  const std::string missing =
      Variant("ticket.xml", "missing.xml", "ovra-v02012.dtd", "ovra-v10x.dtd");
  const std::string plain =
      Variant("ticket.xml", "plain.xml", "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">", "");
  const std::string malformed = Variant("delta.xml", "malformed.xml", "</copies>", "");
  const std::string invalid = Variant("delta.xml", "invalid.xml", "</copies>", "</copies><bogus/>");
  const std::string prefs = kExamples + "mediaprefs.xml";
  const std::string junk = dir / "junk.bin";
  const std::string junk_bytes = "\x01\x02 not a document";
  WriteFileBytes(junk, junk_bytes);
  const struct {
    std::string file;
    std::string said;
  } causes[] = {
      {missing, "'" + missing + "': cannot open document type 'ovra-v10x.dtd' (looked in " +
                    kSourceDtdFolder + ")"},
      {plain, "'" + plain +
                  "': no document type declaration; an ovra document starts with <!DOCTYPE ovra "
                  "SYSTEM \"ovra-v02012.dtd\">"},
      {malformed,
       "'" + malformed + "': not well-formed XML: line 20, column 4: expected end of tag 'copies'"},
      {invalid, "'" + invalid +
                    "': document is not valid against ovra-v02012.dtd: line 5, column 44: no "
                    "declaration found for element 'bogus'"},
      {prefs, "'" + prefs +
                  "' is a media-preferences (mediaprefs) document, not an ovra job ticket; "
                  "'ovrabjt stocks' reads it"},
  };
  const struct {
    std::vector<std::string> args;
    int exit_code;
  } readers[] = {
      {{"from-xml", "{f}", "-o", "{dir}/out.bjt"}, 1},
      {{"check", "{f}"}, 1},
      {{"merge", "{f}", "{examples}delta.xml", "-o", "{dir}/out.bjt"}, 1},
      {{"merge", "{dir}/ticket.bjt", "{f}", "-o", "{dir}/out.bjt"}, 1},
      {{"merge", "--xml", "{dir}/ticket.bjt", "-", "-o", "{dir}/out.bjt"}, 1},
      {{"fit", "{f}", "{examples}capabilities.xml"}, 2},
      {{"fit", "-", "{examples}capabilities.xml"}, 2},
      {{"diff", "{f}", "{dir}/ticket.bjt"}, 2},
      {{"diff", "{dir}/ticket.bjt", "{f}"}, 2},
  };
  for (const auto& cause : causes) {
    for (const auto& reader : readers) {
      std::vector<std::string> args = reader.args;
      std::string line;
      for (std::string& word : args) {
        if (word == "{f}") word = cause.file;
        line += " " + word;
      }
      // Standard input is shown by that name.
      std::string expected = cause.said;
      if (line.find(" - ") != std::string::npos)
        expected.replace(0, cause.file.size() + 2, "standard input");
      const ToolRun run = Run(args, ReadFileBytes(cause.file));
      EXPECT_EQ(run.exit_code, reader.exit_code) << line;
      EXPECT_EQ(run.err, "ovrabjt: " + expected + "\n") << line;
      EXPECT_EQ(run.out, "") << line;
    }
  }
  // Bytes that are not XML are a packed ticket where one may stand, and are
  // refused where only a document may.
  const std::string no_xml = "'" + junk +
                             "' is not an ovra job ticket: it holds no XML text; "
                             "'ovrabjt to-xml' converts a packed ticket into one\n";
  const std::string too_short =
      "'" + junk + "' is too short for a packed ticket: " + std::to_string(junk_bytes.size()) +
      " bytes, the fixed record alone has 34368\n";
  ExpectRuns({{{"from-xml", junk, "-o", dir / "out.bjt"}, 1, "ovrabjt: " + no_xml},
              {{"merge", dir / "ticket.bjt", junk, "-o", dir / "out.bjt"}, 1, "ovrabjt: " + no_xml},
              {{"validate", junk}, 1, "ovrabjt: " + no_xml},
              {{"caps", junk},
               1,
               "ovrabjt: '" + junk +
                   "' is not a capabilities (kesp) document: it holds no XML "
                   "text\n"},
              {{"check", junk}, 1, "ovrabjt: " + too_short},
              {{"diff", junk, dir / "ticket.bjt"}, 2, "ovrabjt: " + too_short}},
             [](std::string text) { return text; });
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

// A value of the delta that does not take effect as written, a delta that
// plainly does what it does, and the warning: the words of the warning are
// what the merge does with it.
struct IneffectiveDeltaValue {
  std::string find, written, equivalent;
  std::string warning;
};

TEST_F(ToolOperations, ValuesOfADeltaThatDoNotTakeEffectAreWarnedAboutAndFailUnderStrict) {
  const std::string copies = "<copies syntax=\"integer\">2</copies>";
  const std::string sides = "<sides syntax=\"keyword\">one-sided</sides>";
  const IneffectiveDeltaValue cases[] = {
      {copies, "<copies syntax=\"integer\">two</copies>", "<copies syntax=\"integer\">0</copies>",
       "copies: 'two' is not an integer; read as 0"},
      // Read as nothing, as a keyword it does not know: the base's setting stays.
      {copies, "<copies syntax=\"integer\"/>", "",
       "copies: an element without content; read as nothing"},
      {sides, "<sides syntax=\"keyword\">one-side</sides>", "",
       "sides: 'one-side' is not one of its keywords (one-sided, two-sided-long-edge, "
       "two-sided-short-edge); ignored"},
  };
  int n = 0;
  for (const IneffectiveDeltaValue& c : cases) {
    const std::string name = "delta" + std::to_string(n++);
    const std::string written = Variant("delta.xml", name + ".xml", c.find, c.written);
    const std::string equivalent = Variant("delta.xml", name + "-same.xml", c.find, c.equivalent);
    const std::string warning = "ovrabjt: warning: '" + written + "': " + c.warning + "\n";

    const ToolRun lenient =
        Run({"merge", "{dir}/ticket.bjt", written, "-o", "{dir}/" + name + ".bjt"});
    EXPECT_EQ(lenient.exit_code, 0) << c.warning;
    EXPECT_EQ(lenient.err, warning);
    const ToolRun same =
        Run({"merge", "{dir}/ticket.bjt", equivalent, "-o", "{dir}/" + name + "-same.bjt"});
    EXPECT_EQ(same.exit_code, 0) << same.err;
    EXPECT_EQ(same.err, "") << c.warning;
    EXPECT_EQ(ReadFileBytes(dir / (name + ".bjt")), ReadFileBytes(dir / (name + "-same.bjt")))
        << c.warning;

    const ToolRun strict = Run(
        {"merge", "--strict", "{dir}/ticket.bjt", written, "-o", "{dir}/" + name + "-strict.bjt"});
    EXPECT_EQ(strict.exit_code, 1);
    EXPECT_EQ(strict.err, warning + "ovrabjt: '" + written +
                              "': 1 value does not take effect as written (--strict)\n");
    EXPECT_FALSE(std::filesystem::exists(dir / (name + "-strict.bjt")));
  }
}

// A ticket given as a document is read as from-xml reads it: warned about in
// merge, fit and diff, refused under --strict with each one's exit code.
TEST_F(ToolOperations, ATicketDocumentsValuesAreWarnedAboutByEverySubcommandThatReadsIt) {
  const std::string base =
      Variant("ticket.xml", "base.xml", "<copies syntax=\"integer\">25</copies>",
              "<copies syntax=\"integer\">25 copies</copies>");
  const std::string warning =
      "ovrabjt: warning: '" + base + "': copies: '25 copies' is not an integer; read as 25\n";
  const std::string refused =
      warning + "ovrabjt: '" + base + "': 1 value does not take effect as written (--strict)\n";
  const struct {
    std::vector<std::string> args;
    int exit_code;
    int strict_exit_code;
  } cases[] = {
      {{"merge", base, "{examples}delta.xml", "-o", "{dir}/out.bjt"}, 0, 1},
      {{"fit", base, "{examples}capabilities.xml"}, 0, 2},
      {{"diff", base, "{dir}/ticket.bjt"}, 0, 2},
      {{"diff", "{dir}/ticket.bjt", base}, 0, 2},
  };
  for (const auto& c : cases) {
    const ToolRun run = Run(c.args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.args.front();
    EXPECT_EQ(run.err, warning) << c.args.front();
    std::vector<std::string> strict_args = c.args;
    strict_args.insert(strict_args.begin() + 1, "--strict");
    std::filesystem::remove(dir / "out.bjt");
    const ToolRun strict = Run(strict_args);
    EXPECT_EQ(strict.exit_code, c.strict_exit_code) << c.args.front();
    EXPECT_EQ(strict.err, refused) << c.args.front();
    EXPECT_EQ(strict.out, "") << c.args.front();
    EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
  }
}

// A packed ticket is never written to a terminal: the mistake is said as
// from-xml says it, before anything is read.
TEST_F(ToolOperations, APackedTicketIsNotWrittenToATerminal) {
  const std::string binary =
      "ovrabjt: a packed ticket is binary: give -o FILE, or -o - with a "
      "redirection";
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"from-xml", kExampleTicket}, binary + "\nRun 'ovrabjt from-xml --help' for its options.\n"},
      {{"merge", kExampleTicket, kDelta, "-o", "-"},
       binary + ", or --xml for a document\nRun 'ovrabjt merge --help' for its options.\n"},
      {{"fit", kExampleTicket, kCapabilities, "--drop-unsupported", "-o", "-"},
       binary + ", or --xml for a document\nRun 'ovrabjt fit --help' for its options.\n"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunToolOnTerminal(c.args);
    EXPECT_EQ(run.exit_code, 2) << c.args.front();
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "") << c.args.front();
  }
  // A file is written whatever standard output is.
  const ToolRun to_file = RunToolOnTerminal({"merge", kExampleTicket, kDelta, "-o", dir / "t.bjt"});
  EXPECT_EQ(to_file.exit_code, 0) << to_file.err;
  EXPECT_EQ(ReadFileBytes(dir / "t.bjt"), ReadFileBytes(dir / "merged.bjt"));
}

}  // namespace
}  // namespace ovrabjt::testing

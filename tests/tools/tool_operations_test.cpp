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

}  // namespace
}  // namespace ovrabjt::testing

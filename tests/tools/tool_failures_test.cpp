// Bad input and bad command lines: each failure names the file and says in
// words what went wrong, with exit code 1 for a failed conversion or
// validation and 2 for a wrong command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ovrabjt::testing {
namespace {

const std::string kUsageHint = "Run 'ovrabjt --help' for the subcommands and their options.\n";

// A mistake made in a subcommand's command line points to its own help.
std::string HelpOf(const std::string& subcommand) {
  return "Run 'ovrabjt " + subcommand + " --help' for its options.\n";
}

// A case's words may hold "{dir}", the folder of the prepared files.
using FailureCase = ExpectedRun;

class ToolFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(RunTool({"from-xml", kExampleTicket, "-o", dir / "ticket.bjt"}).exit_code, 0);
    const std::string packed = ReadFileBytes(dir / "ticket.bjt");
    WriteFileBytes(dir / "short.bjt", packed.substr(0, 1000));
    // Without the last NUL the last string runs past the end.
    WriteFileBytes(dir / "damaged.bjt", packed.substr(0, packed.size() - 1));
    WriteFileBytes(dir / "empty.xml", "");
    WriteFileBytes(
        dir / "malformed.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n<ovra version=\"1.0\">\n"
        "<job-template-attributes><copies syntax=\"integer\">2</job-template-attributes>\n"
        "</ovra>\n");
    // The library reports the undeclared element at the line of its tag and
    // the column of the tag's closing "/>".
    std::string invalid = ReadFileBytes(kExampleTicket);
    const std::string copies = "<copies syntax=\"integer\">25</copies>";
    const std::size_t at = invalid.find(copies) + copies.size();
    invalid.insert(at, "<bogus/>");
    WriteFileBytes(dir / "invalid.xml", invalid);
    const std::size_t line_start = invalid.rfind('\n', at) + 1;
    bogus_line = std::to_string(std::count(invalid.begin(), invalid.begin() + at, '\n') + 1);
    bogus_column = std::to_string(at + 7 - line_start);
  }

  void Expect(const std::vector<FailureCase>& cases) {
    ExpectRuns(cases, [this](std::string text) { return Expand(std::move(text)); });
  }

  std::string Expand(std::string text) const {
    for (const auto& [name, value] : {std::pair<std::string, std::string>{"{dir}", dir.Path()},
                                      {"{line}", bogus_line},
                                      {"{column}", bogus_column}})
      for (std::size_t at; (at = text.find(name)) != std::string::npos;)
        text.replace(at, name.size(), value);
    return text;
  }

  TempFolder dir;
  std::string bogus_line, bogus_column;  // where invalid.xml breaks its type
};

TEST_F(ToolFailures, MissingFilesAreNamedWithTheSystemsReason) {
  const std::string missing = "{dir}/missing";
  const std::string why = "' for reading: No such file or directory\n";
  Expect({
      {{"to-xml", missing + ".bjt"}, 1, "ovrabjt: cannot open '" + missing + ".bjt" + why},
      {{"from-xml", missing + ".xml", "-o", "{dir}/out.bjt"},
       1,
       "ovrabjt: cannot open '" + missing + ".xml" + why},
      {{"dump", missing + ".bjt"}, 1, "ovrabjt: cannot open '" + missing + ".bjt" + why},
      {{"check", missing + ".xml"}, 1, "ovrabjt: cannot open '" + missing + ".xml" + why},
      {{"validate", missing + ".xml"}, 1, "ovrabjt: cannot open '" + missing + ".xml" + why},
      {{"caps", missing + ".xml"}, 1, "ovrabjt: cannot open '" + missing + ".xml" + why},
      {{"stocks", missing + ".xml"}, 1, "ovrabjt: cannot open '" + missing + ".xml" + why},
      {{"to-xml", "{dir}/ticket.bjt", "-o", "{dir}/no/such/out.xml"},
       1,
       "ovrabjt: cannot create '{dir}/no/such/out.xml' for writing: No such file or directory\n"},
  });
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

TEST_F(ToolFailures, BadDocumentsAreDescribedWithLineAndColumn) {
  const std::string malformed =
      "'{dir}/malformed.xml': not well-formed XML: line 4, column 54: expected end of tag 'copies'";
  const std::string invalid =
      "'{dir}/invalid.xml': document is not valid against ovra-v02012.dtd: line {line}, column "
      "{column}: "
      "no declaration found for element 'bogus'";
  Expect({
      {{"from-xml", "{dir}/malformed.xml", "-o", "{dir}/out.bjt"},
       1,
       "ovrabjt: " + malformed + "\n"},
      {{"from-xml", "{dir}/invalid.xml", "-o", "{dir}/out.bjt"}, 1, "ovrabjt: " + invalid + "\n"},
      {{"check", "{dir}/invalid.xml"}, 1, "ovrabjt: " + invalid + "\n"},
      {{"from-xml", "{dir}/empty.xml", "-o", "{dir}/out.bjt"},
       1,
       "ovrabjt: '{dir}/empty.xml' is empty\n"},
      {{"caps", "{dir}/empty.xml"}, 1, "ovrabjt: '{dir}/empty.xml' is empty\n"},
      {{"stocks", "{dir}/empty.xml"}, 1, "ovrabjt: '{dir}/empty.xml' is empty\n"},
      // validate prints every message of the XML library first, and then a
      // verdict that does not repeat them.
      {{"validate", "{dir}/malformed.xml"},
       1,
       "{dir}/malformed.xml:4:54: fatal error: expected end of tag 'copies'\novrabjt: "
       "'{dir}/malformed.xml' is not well-formed XML: 1 fatal error\n"},
  });
  EXPECT_FALSE(std::filesystem::exists(dir / "out.bjt"));
}

TEST_F(ToolFailures, ValidatePrintsEveryMessageWithFileLineAndColumn) {
  const ToolRun run = RunTool({"validate", dir / "invalid.xml"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.err.starts_with(
      Expand("{dir}/invalid.xml:{line}:{column}: error: no declaration found for element 'bogus'\n"
             "{dir}/invalid.xml:")))
      << run.err;
  EXPECT_NE(run.err.find(": error: element 'bogus' is not allowed here; the content model is "
                         "(job-priority|job-hold-until|"),
            std::string::npos);
  EXPECT_TRUE(run.err.ends_with(
      Expand("ovrabjt: '{dir}/invalid.xml' is not valid against ovra-v02012.dtd: 2 errors\n")))
      << run.err;
  EXPECT_EQ(run.out, "");
}

TEST_F(ToolFailures, DamagedPackedTicketsAreRefusedByTheBoundedUnpack) {
  const std::string short_ticket =
      "ovrabjt: '{dir}/short.bjt' is too short for a packed ticket: 1000 bytes, the fixed record "
      "alone has 34368\n";
  const std::string damaged =
      "ovrabjt: '{dir}/damaged.bjt' is not a packed ticket: its string table is damaged (a text "
      "repeats an earlier one, is longer than 1000 characters or runs past the end)\n";
  Expect({
      {{"to-xml", "{dir}/short.bjt"}, 1, short_ticket},
      {{"dump", "{dir}/short.bjt"}, 1, short_ticket},
      {{"check", "{dir}/short.bjt"}, 1, short_ticket},
      {{"to-xml", "{dir}/damaged.bjt"}, 1, damaged},
      {{"dump", "--json", "{dir}/damaged.bjt"}, 1, damaged},
  });
}

TEST_F(ToolFailures, WrongCommandLinesAreUsageErrors) {
  Expect({
      {{"frobnicate"}, 2, "ovrabjt: unknown subcommand 'frobnicate'\n" + kUsageHint},
      {{}, 2, "ovrabjt: A subcommand is required\n" + kUsageHint},
      {{"to-xml", "--bogus", "{dir}/ticket.bjt"},
       2,
       "ovrabjt: The following argument was not expected: --bogus\n" + HelpOf("to-xml")},
      {{"dump"}, 2, "ovrabjt: ticket is required\n" + HelpOf("dump")},
      {{"from-xml", "a.xml", "b.xml"},
       2,
       "ovrabjt: several inputs need -d DIR, the folder to convert them into\n" +
           HelpOf("from-xml")},
      {{"to-xml", "{dir}/ticket.bjt", "{dir}/ticket.bjt", "-d", "{dir}"},
       2,
       "ovrabjt: two inputs would both be written to '{dir}/ticket.xml'\n" + HelpOf("to-xml")},
      {{"--dtd-dir", "{dir}", "to-xml", "{dir}/ticket.bjt"},
       2,
       "ovrabjt: --dtd-dir '{dir}' holds no ovra-v02012.dtd\n" + HelpOf("to-xml")},
      {{"to-xml", "{dir}/ticket.bjt", "--dtd-dir", "{dir}/none"},
       2,
       "ovrabjt: --dtd-dir: Directory does not exist: {dir}/none\n" + HelpOf("to-xml")},
      {{"caps", "{dir}/x.xml", "nonsense-supported"},
       2,
       "ovrabjt: unknown capability 'nonsense-supported': give a name such as trc-supported or "
       "a selector from 1 to 17\n" +
           HelpOf("caps")},
      {{"caps", "{dir}/x.xml", "18"},
       2,
       "ovrabjt: unknown capability '18': give a name such as trc-supported or a selector from 1 "
       "to 17\n" +
           HelpOf("caps")},
      {{"stocks", "{dir}/x.xml", "--list", "7"},
       2,
       "ovrabjt: unknown stock list '7': give media-col-database, media-user-defined, "
       "media-favorites-user-defined, media-favorites-printer or 1 to 4\n" +
           HelpOf("stocks")},
      {{"stocks"},
       2,
       "ovrabjt: a mediaprefs document, or --new OUT.xml is required\n" + HelpOf("stocks")},
      {{"validate", "{dir}/x.xml", "--kind", "ticket"},
       2,
       "ovrabjt: --kind: ticket not in {ovra,kesp,mediaprefs}\n" + HelpOf("validate")},
      {{"stocks", "--new", "-"},
       2,
       "ovrabjt: --new needs the name of the file to write\n" + HelpOf("stocks")},
      {{"help", "frobnicate"}, 2, "ovrabjt: no subcommand 'frobnicate'\n" + kUsageHint},
  });
}

}  // namespace
}  // namespace ovrabjt::testing

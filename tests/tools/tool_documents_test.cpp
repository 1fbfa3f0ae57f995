// dump, validate, caps, stocks and the program's own options, on the
// examples: exact lines where people and scripts read them.
#include <gtest/gtest.h>

#include <ovrabjt/ovrabjt.h>

#include <nlohmann/json.hpp>
#include <utility>
#include <xercesc/util/XercesVersion.hpp>

#include "convert/media/media_record.h"
#include "prefs/media_preferences.h"
#include "prefs/prefs_documents.h"
#include "support/temp_folder.h"
#include "tool_runner.h"

namespace ovrabjt::testing {
namespace {

class ToolDocuments : public ::testing::Test {
 protected:
  void SetUp() override {
    ticket = dir / "ticket.bjt";
    ASSERT_EQ(RunTool({"from-xml", kExampleTicket, "-o", ticket}).exit_code, 0);
  }
  TempFolder dir;
  std::string ticket;
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(ToolDocuments, DumpShowsEveryFieldByNameWithItsMeaning) {
  const ToolRun run = RunTool({"dump", ticket});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(run.out.starts_with("packed ticket '" + ticket + "': "));
  for (
      const char* line : {
          "\njob\n  reserved0                 1024\n",
          "\n  copies                    25\n",
          "\n  sides                     two-sided-long-edge (2)\n",
          "\n  finishing                 finishings 20 (staple-top-left) (2)\n",
          "\n  jobName                   \"Quarterly report Q3 – Café Müller\"\n",
          "\n  trcName                   \"office-neutral\" (string 3)\n",
          "\n  impositionTemplate        none\n",
          "\n  coverMode                 front and back covers printed separately (16)\n",
          "\n  frontCoverMedia           slot 1\n",
          "\nmedia slot 1 (id 1), named by frontCoverMedia, backCoverMedia, insertSheets[1].media\n"
          "  sizeCode                  210 x 297 mm (16)\n",
          "\n  weight                    250 g/m2\n",
          "\npage override 2 of 3\n  firstPage                 30\n  lastPage                  31\n"
          "  media                     slot 3\n  shiftX1                   -3 mm\n",
          "\ninserted sheet 2 of 2\n  afterPage                 36\n  count                     2\n"
          "  media                     slot 1\n",
          "\nforce-front pages: 25\n",
          "\nstrings:\n  1  \"coated-fogra39\"\n  2  \"srgb\"\n",
      })
    EXPECT_TRUE(Contains(run.out, line)) << line;
  // Every job-level field has its line, the reserved ones included.
  EXPECT_TRUE(Contains(run.out, "\n  reserved122               1\n"));
}

TEST_F(ToolDocuments, DumpJsonIsOneObjectForScripts) {
  const ToolRun run = RunTool({"dump", "--json", ticket});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto dump = nlohmann::json::parse(run.out);
  EXPECT_EQ(dump["file"], ticket);
  EXPECT_EQ(dump["size"], ReadFileBytes(ticket).size());
  EXPECT_EQ(dump["job"]["copies"], 25);
  EXPECT_EQ(dump["job"]["sides"],
            (nlohmann::json{{"code", 2}, {"meaning", "two-sided-long-edge"}}));
  EXPECT_EQ(dump["job"]["jobName"], "Quarterly report Q3 – Café Müller");
  EXPECT_EQ(dump["job"]["trcName"], (nlohmann::json{{"index", 3}, {"text", "office-neutral"}}));
  EXPECT_EQ(dump["job"]["jobMedia"], (nlohmann::json{{"id", 0}, {"slot", 0}}));
  ASSERT_EQ(dump["media"].size(), 5u);
  EXPECT_EQ(dump["media"][3]["id"], 4);
  EXPECT_EQ(dump["media"][3]["usedBy"],
            (nlohmann::json{"pageOverrides[1].media", "pageOverrides[2].media"}));
  EXPECT_EQ(dump["media"][3]["fields"]["color"]["meaning"], "pink");
  ASSERT_EQ(dump["pageOverrides"].size(), 3u);
  EXPECT_EQ(dump["pageOverrides"][0]["halftone"]["text"], "photo-fine");
  EXPECT_EQ(dump["pageOverrides"][1]["media"], (nlohmann::json{{"id", 4}, {"slot", 3}}));
  EXPECT_EQ(dump["insertSheets"][1]["count"], 2);
  EXPECT_EQ(dump["forceFrontPages"], nlohmann::json{25});
  EXPECT_EQ(dump["strings"],
            (nlohmann::json{"coated-fogra39", "srgb", "office-neutral", "photo-fine", "swop"}));
}

TEST(ToolDocumentsValidate, AcceptsEachExampleAsItsKind) {
  const struct {
    std::string file;
    std::string verdict;
  } cases[] = {
      {"ticket.xml", "valid ovra document (ovra-v02012.dtd), 30 attributes"},
      {"capabilities.xml",
       "well-formed kesp document (read without a document type, as the library reads it), 9 "
       "attributes"},
      {"mediaprefs.xml",
       "well-formed mediaprefs document (read without a document type, as the library reads "
       "it), 4 attributes"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunTool({"validate", kExamples + c.file});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "'" + kExamples + c.file + "': " + c.verdict + "\n");
    EXPECT_EQ(run.err, "");
  }
  const ToolRun piped = RunTool({"validate", "-"}, ReadFileBytes(kExampleTicket));
  EXPECT_EQ(piped.out, "standard input: valid ovra document (ovra-v02012.dtd), 30 attributes\n");
}

TEST(ToolDocumentsCaps, PrintsTheListsOneValueALine) {
  const std::string kesp = kExamples + "capabilities.xml";
  const std::string halftones = "photo-fine\ntext-sharp\nstochastic\n";
  EXPECT_EQ(RunTool({"caps", kesp, "halftone-graphics-supported"}).out, halftones);
  EXPECT_EQ(RunTool({"caps", kesp, "16"}).out, halftones);
  EXPECT_EQ(RunTool({"caps", "-", "16"}, ReadFileBytes(kesp)).out, halftones);
  // One absent capability has no values; several are headed by their names.
  const ToolRun absent = RunTool({"caps", kesp, "undefined-source-cmy-text-supported"});
  EXPECT_EQ(absent.exit_code, 0);
  EXPECT_EQ(absent.out, "");
  EXPECT_EQ(RunTool({"caps", kesp, "17", "trc-supported"}).out,
            "finishing-template-supported:\n  Booklet A4 saddle\n  Perfect bind report\n"
            "trc-supported:\n  office-neutral\n  photo-warm\n  linear\n");
  // All of them: the nine present, in selector order.
  const std::string all = RunTool({"caps", kesp}).out;
  EXPECT_TRUE(all.starts_with("trc-supported:\n  office-neutral\n"));
  EXPECT_TRUE(
      all.ends_with("finishing-template-supported:\n  Booklet A4 saddle\n  Perfect bind report\n"));
  EXPECT_FALSE(Contains(all, "undefined-source-cmy-"));
}

TEST(ToolDocumentsStocks, DecodesEachStockOfEachList) {
  const std::string prefs = kExamples + "mediaprefs.xml";
  const ToolRun all = RunTool({"stocks", prefs});
  ASSERT_EQ(all.exit_code, 0) << all.err;
  EXPECT_TRUE(all.out.starts_with(
      "media-col-database: 3 stocks\n"
      "  1  size 210 x 297 mm, colour white, type stationery, weight 80 g/m2, description "
      "\"Office white 80\"\n"
      "  2  size custom 215 x 279 mm, colour white, type not given, weight 75 g/m2, description "
      "\"Letter three-hole\"\n"));
  EXPECT_TRUE(Contains(all.out, "\nmedia-favorites-printer: 1 stock\n"));
  EXPECT_EQ(RunTool({"stocks", prefs, "--list", "2"}).out,
            "media-user-defined: 2 stocks\n"
            "  1  size 210 x 297 mm, colour blue, type not given, weight 250 g/m2, description "
            "\"Cover blue 250\"\n"
            "  2  size 210 x 297 mm, colour recycled grey, type recycled-bond, weight 90 g/m2, "
            "description \"Recycled grey 90\"\n");
  EXPECT_EQ(RunTool({"stocks", prefs, "--list", "media-favorites-user-defined"}).out,
            "media-favorites-user-defined: 1 stock\n"
            "  1  size no size, colour yellow, type pre-cut-tabs, weight not given, description "
            "\"Yellow tabs\"\n");
}

// The new document holds the three lists, each with a blank inside: an
// element without content would be read back as no list at all, and a
// driver could add no stock to it.
TEST(ToolDocumentsStocks, NewWritesThreeEmptyListsThatTakeStocksWhenReadBack) {
  TempFolder dir;
  const ToolRun made = RunTool({"stocks", "--new", dir / "new.xml"});
  ASSERT_EQ(made.exit_code, 0) << made.err;
  EXPECT_EQ(made.out + made.err, "");
  const std::string text = ReadFileBytes(dir / "new.xml");
  const std::size_t user =
      text.find("<media-user-defined syntax=\"1setOf\"> </media-user-defined>");
  const std::size_t favourites =
      text.find("<media-favorites-user-defined syntax=\"1setOf\"> </media-favorites-user-defined>");
  const std::size_t printer =
      text.find("<media-favorites-printer syntax=\"1setOf\"> </media-favorites-printer>");
  EXPECT_LT(user, favourites);
  EXPECT_LT(favourites, printer);
  EXPECT_NE(printer, std::string::npos);
  EXPECT_EQ(text.find("media-col-database"), std::string::npos);
  EXPECT_EQ(RunTool({"stocks", dir / "new.xml"}).out,
            "media-col-database: not in the document\nmedia-user-defined: 0 stocks\n"
            "media-favorites-user-defined: 0 stocks\nmedia-favorites-printer: 0 stocks\n");
  const ToolRun validated = RunTool({"validate", dir / "new.xml"});
  EXPECT_EQ(validated.exit_code, 0);
  EXPECT_EQ(validated.err, "");

  // Read back by the library, each of the three lists takes a stock, which
  // then reads back as the one stock of its list.
  std::unique_ptr<AttrNodeList> list = ReadMediaPreferences((dir / "new.xml").c_str());
  ASSERT_NE(list, nullptr);
  MediaBytes medium{};
  InitMediaRecord(MediaView(medium));
  MediaView(medium).SetText(media_field::kDescription, "Added");
  for (std::int32_t kind : {2, 3, 4}) {
    EXPECT_TRUE(AddStockToMPSContents(*list, kind, MediaView(std::as_const(medium)))) << kind;
    std::uint16_t index = 1;
    MediaBytes back{};
    EXPECT_TRUE(PopulateStockFromAttrList(*list, kind, index, MediaView(back))) << kind;
    EXPECT_EQ(index, 1) << kind;
    EXPECT_EQ(MediaView(std::as_const(back)).Text(media_field::kDescription), "Added") << kind;
  }
  EXPECT_FALSE(AddStockToMPSContents(*list, 1, MediaView(std::as_const(medium))));
}

TEST(ToolOptions, VersionNamesTheReleaseTheLibraryAndTheXmlLibrary) {
  for (const char* flag : {"--version", "-V"}) {
    const ToolRun version = RunTool({flag});
    EXPECT_EQ(version.exit_code, 0) << flag;
    EXPECT_EQ(version.out, "ovrabjt 3.6.09\nlibrary: ovrabjt " OVRABJT_VERSION ", interface " +
                               std::to_string(OVRABJT_INTERFACE_VERSION) +
                               " (" OVRABJT_LIBRARY_FILE_NAME ")\nXML library: Xerces-C " +
                               std::to_string(XERCES_VERSION_MAJOR) + "." +
                               std::to_string(XERCES_VERSION_MINOR) + "." +
                               std::to_string(XERCES_VERSION_REVISION) +
                               "\nrelease profile: 3.6.09 (the latest release)\n")
        << flag;
  }
}

// Every subcommand's help, asked either way, ends with the global options.
TEST(ToolOptions, EverySubcommandsHelpShowsTheGlobalOptions) {
  for (const char* command : {"to-xml", "from-xml", "dump", "check", "validate", "caps", "stocks",
                              "merge", "fit", "diff", "help"}) {
    const ToolRun help = RunTool({command, "--help"});
    EXPECT_EQ(help.exit_code, 0) << command;
    EXPECT_TRUE(Contains(help.out, std::string("\nUsage: ovrabjt ") + command + " [OPTIONS]"))
        << help.out;
    const std::size_t global =
        help.out.find("\nGlobal options (before or after the subcommand):\n");
    ASSERT_NE(global, std::string::npos) << command;
    for (const char* option : {"-V,--version", "--release VERSION", "--dtd-dir DIR"})
      EXPECT_NE(help.out.find(option, global), std::string::npos) << command << " " << option;
    const ToolRun asked = RunTool({"help", command});
    EXPECT_EQ(asked.exit_code, 0) << command;
    EXPECT_EQ(asked.out, help.out) << command;
  }
  EXPECT_TRUE(Contains(RunTool({"to-xml", "--help"}).out, "--no-indent"));
  for (const char* command : {"from-xml", "validate", "check", "merge"})
    EXPECT_TRUE(Contains(RunTool({command, "--help"}).out, "--strict    ")) << command;
  // fit and diff refuse such a document with their code for trouble.
  for (const char* command : {"fit", "diff"})
    EXPECT_TRUE(Contains(RunTool({command, "--help"}).out, "Fail (exit code 2) when a value"))
        << command;
  EXPECT_EQ(RunTool({"help"}).out, RunTool({"--help"}).out);
}

// The tool in its build folder takes the document types from the source
// tree, and --help says so.
TEST(ToolOptions, HelpSaysWhichFolderTheDocumentTypesComeFrom) {
  const ToolRun help = RunTool({"--help"});
  EXPECT_TRUE(Contains(help.out, "; now " + kSourceDtdFolder + ")")) << help.out;
}

}  // namespace
}  // namespace ovrabjt::testing

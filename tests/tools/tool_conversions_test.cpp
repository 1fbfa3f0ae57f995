// The conversion subcommands and check, run on the example ticket: the same
// bytes as the library's conversions, standard streams, batches, and the
// fields a round trip loses.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "frame/ticket_documents.h"
#include "releases/release_profile.h"
#include "support/temp_folder.h"
#include "ticket/layout.h"
#include "ticket/packing.h"
#include "tool_runner.h"

namespace ovrabjt::testing {
namespace {

const std::string kBase = OVRABJT_SOURCE_DIR "/data/ticket.xml";

class ToolConversions : public ::testing::Test {
 protected:
  void SetUp() override {
    ticket = dir / "ticket.bjt";
    const ToolRun run = RunTool({"from-xml", kExampleTicket, "-o", ticket});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    ASSERT_EQ(run.out + run.err, "");
  }
  TempFolder dir;
  std::string ticket;
};

// The library's own text for a packed ticket, as ConvertBJTToOvraStream
// hands it out.
std::string LibraryDocument(const std::string& packed, bool indent) {
  struct Sink : XmlOutputCallback {
    OvraBool Write(const char* bytes, std::uint32_t count) override {
      text.append(bytes, count);
      return 1;
    }
    OvraBool Indent() override { return indent ? 1 : 0; }
    std::string text;
    bool indent = true;
  } sink;
  sink.indent = indent;
  EXPECT_TRUE(WriteTicketDocument(kBase.c_str(), {packed.data(), packed.size()}, &sink));
  return sink.text;
}

TEST_F(ToolConversions, GiveTheLibrarysBytesBothWays) {
  std::vector<std::uint8_t> loaded;
  ASSERT_TRUE(LoadTicketDocument(kExampleTicket.c_str(), kBase.c_str(), loaded));
  const std::string packed = ReadFileBytes(ticket);
  EXPECT_EQ(packed, std::string(loaded.begin(), loaded.end()));

  const ToolRun to_file = RunTool({"to-xml", ticket, "-o", dir / "ticket.xml"});
  ASSERT_EQ(to_file.exit_code, 0) << to_file.err;
  EXPECT_EQ(ReadFileBytes(dir / "ticket.xml"), LibraryDocument(packed, true));

  // Back again: the same packed ticket, byte for byte.
  const ToolRun back = RunTool({"from-xml", dir / "ticket.xml", "-o", dir / "again.bjt"});
  ASSERT_EQ(back.exit_code, 0) << back.err;
  EXPECT_EQ(ReadFileBytes(dir / "again.bjt"), packed);
}

TEST_F(ToolConversions, StandardStreamsStandForFiles) {
  const std::string packed = ReadFileBytes(ticket);
  const ToolRun to_xml = RunTool({"to-xml", "-"}, packed);
  ASSERT_EQ(to_xml.exit_code, 0) << to_xml.err;
  EXPECT_EQ(to_xml.out, LibraryDocument(packed, true));
  const ToolRun from_xml = RunTool({"from-xml", "-", "-o", "-"}, ReadFileBytes(kExampleTicket));
  ASSERT_EQ(from_xml.exit_code, 0) << from_xml.err;
  EXPECT_EQ(from_xml.out, packed);
}

TEST_F(ToolConversions, NoIndentWritesTheDocumentWithoutLineBreaksOrTabs) {
  const std::string packed = ReadFileBytes(ticket);
  const ToolRun run = RunTool({"to-xml", ticket, "--no-indent"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, LibraryDocument(packed, false));
  EXPECT_EQ(run.out.find('\t'), std::string::npos);
  EXPECT_NE(run.out.find("<copies syntax=\"integer\">25</copies><page-ranges"), std::string::npos);
  EXPECT_EQ(RunTool({"from-xml", "-", "-o", "-"}, run.out).out, packed);
}

TEST_F(ToolConversions, BatchConvertsEachInputIntoTheFolderUnderItsOwnName) {
  WriteFileBytes(dir / "second.bjt", ReadFileBytes(ticket));
  std::filesystem::create_directory(dir / "out");
  const ToolRun run = RunTool({"to-xml", ticket, dir / "second.bjt", "-d", dir / "out"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "converted 2 of 2 files into '" + dir / "out" + "'\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(ReadFileBytes(dir / "out/ticket.xml"), ReadFileBytes(dir / "out/second.xml"));

  const ToolRun back = RunTool({"from-xml", dir / "out/ticket.xml", "-d", dir / "out"});
  EXPECT_EQ(back.exit_code, 0) << back.err;
  EXPECT_EQ(ReadFileBytes(dir / "out/ticket.bjt"), ReadFileBytes(ticket));
}

TEST_F(ToolConversions, BatchNamesEachFailureAndCountsThem) {
  WriteFileBytes(dir / "short.bjt", ReadFileBytes(ticket).substr(0, 100));
  std::filesystem::create_directory(dir / "out");
  const ToolRun run =
      RunTool({"to-xml", dir / "short.bjt", ticket, dir / "missing.bjt", "-d", dir / "out"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out,
            "converted 1 of 3 files into '" + dir / "out" + "'; 2 could not be converted\n");
  EXPECT_EQ(run.err, "ovrabjt: '" + dir / "short.bjt" +
                         "' is too short for a packed ticket: 100 bytes, the fixed record alone "
                         "has 34368\novrabjt: cannot open '" +
                         dir / "missing.bjt" + "' for reading: No such file or directory\n");
  EXPECT_FALSE(ReadFileBytes(dir / "out/ticket.xml").empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "out/short.xml"));
  EXPECT_FALSE(std::filesystem::exists(dir / "out/missing.xml"));
}

TEST_F(ToolConversions, CheckFindsNothingLostInTheExamples) {
  for (const std::string& file : {kExampleTicket, ticket}) {
    const ToolRun run = RunTool({"check", file});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "'" + file + "': every field comes back\n");
  }
}

// The example's packed ticket with some fields changed to values that no
// document carries back.
struct LossCase {
  std::string name;
  std::function<void(TicketRecord&)> change;
  std::string report;
};

TEST_F(ToolConversions, CheckNamesEveryFieldThatDoesNotComeBackWithBothValues) {
  const std::vector<LossCase> cases = {
      {"saved job", [](TicketRecord& r) { r.Set(ticket_field::kSaveDisposition, 4); },
       "1 field does not come back:\n  saveDisposition: print-save (4) -> none (1)\n"},
      {"page override and text",
       [](TicketRecord& r) {
         r.SetText(ticket_field::kDocumentName, "q3.pdf");
         r.Override(1).Set(override_field::kColorEmulationCopy, 2);
       },
       "2 fields do not come back:\n  documentName: \"q3.pdf\" -> \"\"\n"
       "  pageOverrides[1].colorEmulationCopy: none (2) -> swop (4)\n"},
  };
  const std::string packed = ReadFileBytes(ticket);
  for (const LossCase& c : cases) {
    auto record = TicketRecord::Allocate();
    ASSERT_TRUE(
        UnpackTicket(*record, reinterpret_cast<const std::uint8_t*>(packed.data()), packed.size()));
    c.change(*record);
    std::string changed(packed.size(), '\0');
    ASSERT_TRUE(PackTicket(reinterpret_cast<std::uint8_t*>(changed.data()), *record, nullptr));
    const std::string file = dir / "lossy.bjt";
    WriteFileBytes(file, changed);
    const ToolRun run = RunTool({"check", file});
    EXPECT_EQ(run.exit_code, 1) << c.name << ": " << run.err;
    EXPECT_EQ(run.out, "'" + file + "': " + c.report) << c.name;
  }
}

}  // namespace
}  // namespace ovrabjt::testing

namespace ovrabjt::testing {
namespace {

// The tool works in any release: each writes its own document type and
// reads back what it wrote; --version names the release.
TEST(ToolReleases, EachReleaseConvertsAndChecksItsOwnDocuments) {
  TempFolder dir;
  for (const ReleaseProfile* release : AllReleases()) {
    const std::string version(release->file_version);
    const std::string bjt = dir / (version + ".bjt");
    const std::string xml = dir / (version + ".xml");
    ToolRun run = RunTool({"--release", version, "from-xml", kExampleTicket, "-o", bjt});
    ASSERT_EQ(run.exit_code, 0) << version << ": " << run.err;
    run = RunTool({"to-xml", bjt, "-o", xml, "--release", version});
    ASSERT_EQ(run.exit_code, 0) << version << ": " << run.err;
    EXPECT_NE(ReadFileBytes(xml).find("<!DOCTYPE ovra SYSTEM \"" + std::string(release->ovra_dtd) +
                                      "\">"),
              std::string::npos)
        << version;
    run = RunTool({"--release", version, "validate", xml});
    EXPECT_EQ(run.exit_code, 0) << version << ": " << run.out << run.err;
    run = RunTool({"--release", version, "check", bjt});
    EXPECT_EQ(run.exit_code, 0) << version << ": " << run.out << run.err;
    run = RunTool({"--release", version, "--version"});
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "ovrabjt " + version);
    EXPECT_NE(run.out.find("release profile: " + version), std::string::npos);
  }
  const ToolRun unknown = RunTool({"--release", "3.6.9", "--version"});
  EXPECT_EQ(unknown.exit_code, 2);
  EXPECT_NE(unknown.err.find("--release"), std::string::npos);
}

}  // namespace
}  // namespace ovrabjt::testing

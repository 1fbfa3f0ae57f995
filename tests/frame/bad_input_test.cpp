// Every failure the exports can meet, one table per export: the exact result
// (0 or null), no file left behind, an earlier file untouched. The sanitizer
// build and valgrind check that no case leaks. Each case names the error code
// of the XML layer that it reaches (0: the packed ticket is refused before
// any XML). The other codes need a fault of the library, the memory or the
// file system (1, 3, 5, 6, 12, 13, 21 to 25: the library turns the exceptions
// of a parse into reported errors, so no text raises code 1) or names the
// exports never make (7, 11); the core's own tests cover them, and the unload
// test covers code 20.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "failed_saves.h"
#include "support/packed_from_document.h"
#include "support/temp_folder.h"
#include "support/text_output.h"
#include "ticket/layout.h"

namespace {

namespace fs = std::filesystem;
namespace tf = ovrabjt::ticket_field;
namespace of = ovrabjt::override_field;
using ovrabjt::test::Entries;
using ovrabjt::test::ExpectFailedSaves;
using ovrabjt::test::ReadFile;
using ovrabjt::test::SaveCase;
using ovrabjt::test::TextOutput;
using ovrabjt::test::WriteFile;
using Packed = std::vector<std::uint8_t>;

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
const std::string kBase = kData + "ticket.xml";
const std::u16string kBase16 = u"" OVRABJT_SOURCE_DIR "/data/ticket.xml";
const std::string kExample = kData + "examples/ticket.xml";

Packed LoadPacked(const std::string& file) {
  return ovrabjt::test::PackedFromDocument(file, kBase);
}

ovrabjt::FieldView Fixed(Packed& packed) { return {packed.data(), ovrabjt::kTicketSize}; }

// The example ticket with its string table replaced by `strings` (each with
// its NUL, as packed) under the string count `count`. The strings area is
// followed by `tail` bytes of 'x', so that the bytes after the table are no
// NUL either.
Packed WithStrings(std::uint16_t count, const std::string& strings, std::size_t tail = 0) {
  Packed packed = LoadPacked(kExample);
  packed.resize(ovrabjt::kTicketSize);
  for (const auto ref : ovrabjt::kTicketStringRefs) Fixed(packed).Set(ref, 0);
  Fixed(packed).Set(tf::kPageOverrideCount, 0);
  Fixed(packed).Set(tf::kStringCount, count);
  packed.insert(packed.end(), strings.begin(), strings.end());
  packed.insert(packed.end(), tail, 'x');
  return packed;
}

// Packed tickets that must not unpack: the conversions refuse them.
struct DamagedTicket {
  const char* what;
  Packed packed;
};

std::vector<DamagedTicket> UnreadableTickets() {
  return {
      {"a repeated string", WithStrings(2, std::string("same\0same\0", 10))},
      {"a repeat after others", WithStrings(3, std::string("a\0b\0a\0", 6))},
      {"a text of 1001 characters without a NUL", WithStrings(1, std::string(1001, 'x'), 10)},
      {"a text without a NUL within 1001 bytes after a good one",
       WithStrings(2, std::string("ok\0", 3) + std::string(1200, 'y'))},
      // The export is not told the block's length and looks for a NUL within
      // 1001 bytes: the block must hold them.
      {"more strings counted than present", WithStrings(3, std::string("a\0b\0", 4), 1001)},
  };
}

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    good = LoadPacked(kExample);
    ASSERT_GT(good.size(), ovrabjt::kTicketSize);
  }

  ovrabjt::testing::TempFolder folder;
  fs::path dir{folder.Path()};
  Packed good;
};

TEST_F(BadInput, LoadOvraFailsLeavingBlockAndSizeAlone) {
  // A folder whose document type is a folder: only regular files are read.
  const fs::path odd_base = dir / "odd" / "ticket.xml";
  fs::create_directories(dir / "odd" / "ovra-v02012.dtd");
  WriteFile(dir / "empty.xml", "");
  WriteFile(dir / "malformed.xml", "<?xml version=\"1.0\"?>\n<ovra><copies syntax=\"integer\">");
  WriteFile(dir / "invalid.xml",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n"
            "<ovra><job-template-attributes><copies syntax=\"integer\">1</copies>"
            "<copies syntax=\"integer\">2</copies></job-template-attributes><bad/></ovra>");
  WriteFile(dir / "bad-encoding.xml",
            "<?xml version=\"1.0\" encoding=\"no-such-encoding\"?>\n<ovra/>");
  WriteFile(dir / "binary.xml", std::string("\0\1\2\3\xff\xfe", 6));
  fs::create_directories(dir / "a-folder.xml");
  // Larger than the 4 GiB a document may have; sparse, so it takes no space.
  {
    std::ofstream(dir / "huge.xml").close();
    fs::resize_file(dir / "huge.xml", (std::uint64_t(1) << 32) + 10);
  }
  const std::string example = kExample;
  struct Case {
    const char* what;
    int code;
    std::string file;
    std::string base;
    bool null_file = false;
    bool null_base = false;
  } cases[] = {
      {"the document type is a folder", 2, example, odd_base.string()},
      {"malformed text", 2, (dir / "malformed.xml").string(), kBase},
      {"a document the document type refuses", 2, (dir / "invalid.xml").string(), kBase},
      {"an unknown encoding", 2, (dir / "bad-encoding.xml").string(), kBase},
      {"binary bytes", 2, (dir / "binary.xml").string(), kBase},
      {"an empty file", 8, (dir / "empty.xml").string(), kBase},
      {"an empty base name", 10, example, ""},
      {"a null base name", 10, example, "", false, true},
      {"a folder instead of a file", 15, (dir / "a-folder.xml").string(), kBase},
      {"a file over 4 GiB", 14, (dir / "huge.xml").string(), kBase},
      {"a missing file", 15, (dir / "missing.xml").string(), kBase},
      {"a file in a missing folder", 15, (dir / "none" / "t.xml").string(), kBase},
      {"a null file name", 16, "", kBase, true},
  };
  const auto before = Entries(dir);
  for (const Case& c : cases) {
    void* block = reinterpret_cast<void*>(0x1234);
    std::uint32_t size = 777;
    EXPECT_EQ(LoadOvra(c.null_file ? nullptr : c.file.c_str(),
                       c.null_base ? nullptr : c.base.c_str(), nullptr, &block, &size),
              0)
        << c.what << " (code " << c.code << ")";
    EXPECT_EQ(block, reinterpret_cast<void*>(0x1234)) << c.what;
    EXPECT_EQ(size, 777u) << c.what;
  }
  EXPECT_EQ(Entries(dir), before);
  std::uint32_t size = 0;
  void* block = nullptr;
  EXPECT_EQ(LoadOvra(kExample.c_str(), kBase.c_str(), nullptr, nullptr, &size), 0);
  EXPECT_EQ(LoadOvra(kExample.c_str(), kBase.c_str(), nullptr, &block, nullptr), 0);
  EXPECT_EQ(block, nullptr);
}

TEST_F(BadInput, SaveOvraFailsLeavingNoFileAndTheEarlierOneAlone) {
  const Packed& good_ticket = good;
  std::vector<SaveCase> cases = {
      {"an empty base name", 10,
       [&](const fs::path& t) { return SaveOvra(t.string().c_str(), "", good_ticket.data()); }},
      {"a null base name", 10,
       [&](const fs::path& t) {
         return SaveOvra(t.string().c_str(), nullptr, good_ticket.data());
       }},
      {"a null packed ticket (no XML code)", 0,
       [&](const fs::path& t) { return SaveOvra(t.string().c_str(), kBase.c_str(), nullptr); }},
  };
  for (DamagedTicket& d : UnreadableTickets()) {
    cases.push_back({d.what, 0, [packed = std::move(d.packed)](const fs::path& t) {
                       return SaveOvra(t.string().c_str(), kBase.c_str(), packed.data());
                     }});
  }
  ExpectFailedSaves(dir, cases);

  // Paths that cannot be created: no file appears anywhere.
  fs::create_directories(dir / "a-folder.xml");
  EXPECT_EQ(SaveOvra((dir / "none" / "out.xml").string().c_str(), kBase.c_str(), good.data()), 0);
  EXPECT_EQ(SaveOvra((dir / "a-folder.xml").string().c_str(), kBase.c_str(), good.data()), 0);
  EXPECT_EQ(SaveOvra(nullptr, kBase.c_str(), good.data()), 0);
  EXPECT_EQ(SaveOvra("", kBase.c_str(), good.data()), 0);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a-folder.xml"});
  EXPECT_TRUE(fs::is_empty(dir / "a-folder.xml"));
}

TEST_F(BadInput, SaveMediaPreferencesFailsLeavingNoFileAndTheEarlierOneAlone) {
  fs::create_directories(dir / "a-folder.xml");
  for (const char* name : {"none/out.xml", "a-folder.xml"}) {
    EXPECT_EQ(SaveMPSContentstoFile(CreateEmptyMPSContents(), (dir / name).string().c_str()), 0)
        << name;
  }
  EXPECT_EQ(SaveMPSContentstoFile(CreateEmptyMPSContents(), nullptr), 0);
  EXPECT_EQ(SaveMPSContentstoFile(nullptr, (dir / "out.xml").string().c_str()), 0);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a-folder.xml"});
}

TEST_F(BadInput, ConvertFailsWithExactlyTheTextBeforeTheFailure) {
  TextOutput full;
  ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), good.data(), &full), 1);
  struct Case {
    const char* what;
    int code;
    const char16_t* base;
    const void* packed;
    bool with_output;
    int accept;  // Write calls accepted; -1 all
    int calls;   // Write calls expected
  } cases[] = {
      {"an output that refuses at once", 4, kBase16.c_str(), good.data(), true, 0, 1},
      {"an output that refuses later", 4, kBase16.c_str(), good.data(), true, 2, 3},
      {"no output", 9, kBase16.c_str(), good.data(), false, -1, 0},
      {"an empty base name", 10, u"", good.data(), true, -1, 0},
      {"a null base name", 10, nullptr, good.data(), true, -1, 0},
      {"a null packed ticket (no XML code)", 0, kBase16.c_str(), nullptr, true, -1, 0},
  };
  for (const Case& c : cases) {
    TextOutput out(c.accept);
    EXPECT_EQ(ConvertBJTToOvraStream(c.base, c.packed, c.with_output ? &out : nullptr), 0)
        << c.what << " (code " << c.code << ")";
    EXPECT_EQ(out.calls, c.calls) << c.what;
    EXPECT_EQ(full.text.rfind(out.text, 0), 0u) << c.what;
  }
  for (const DamagedTicket& d : UnreadableTickets()) {
    TextOutput out;
    EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), d.packed.data(), &out), 0) << d.what;
    EXPECT_EQ(out.calls, 0) << d.what;
  }
}

// Damage that the format tolerates: the conversion skips what it cannot
// read, writes everything else, and its document reads back.
TEST_F(BadInput, TicketsWithOutOfRangeFieldsStillConvert) {
  struct Case {
    const char* what;
    std::function<void(ovrabjt::FieldView)> damage;
    const char* absent;  // an element the document must not have, or null
  } cases[] = {
      {"300 page overrides", [](ovrabjt::FieldView f) { f.Set(tf::kPageOverrideCount, 300); },
       nullptr},
      {"65535 inserted sheets", [](ovrabjt::FieldView f) { f.Set(tf::kInsertCount, 65535); },
       nullptr},
      {"251 forced front pages", [](ovrabjt::FieldView f) { f.Set(tf::kForceFrontCount, 251); },
       nullptr},
      {"a job medium of two slots", [](ovrabjt::FieldView f) { f.Set(tf::kJobMedia, 0x3); },
       nullptr},
      {"a job medium past the table",
       [](ovrabjt::FieldView f) { f.Set(tf::kJobMedia, 0x40000000); }, nullptr},
      {"cover media of garbage",
       [](ovrabjt::FieldView f) {
         f.Set(tf::kFrontCoverMedia, 0xFFFFFFFF);
         f.Set(tf::kBackCoverMedia, 0x12345);
       },
       nullptr},
      {"a string reference past the table",
       [](ovrabjt::FieldView f) {
         f.Set(tf::kTrcName, 9);
         f.Set(tf::kImpositionTemplate, 0xFFFF);
       },
       "<trc "},
      {"override string references past the table",
       [](ovrabjt::FieldView f) {
         f.Set(tf::kPageOverrideCount, 2);
         for (std::size_t i = 0; i < 2; ++i) {
           const ovrabjt::FieldView o(f.data() + ovrabjt::OverrideOffset(i),
                                      ovrabjt::kOverrideRecordSize);
           o.Set(of::kTrcName, 500);
           o.Set(of::kMedia, 0xABCDEF);
         }
       },
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Packed packed = good;
    c.damage(Fixed(packed));
    TextOutput out;
    ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &out), 1);
    if (c.absent) {
      EXPECT_EQ(out.text.find(c.absent), std::string::npos);
    }
    const fs::path saved = dir / "damaged.xml";
    ASSERT_EQ(SaveOvra(saved.string().c_str(), kBase.c_str(), packed.data()), 1);
    EXPECT_EQ(ReadFile(saved), out.text);
    const Packed back = LoadPacked(saved.string());
    ASSERT_FALSE(back.empty());
    // Counts come back within the record.
    const ovrabjt::ConstFieldView f(back.data(), ovrabjt::kTicketSize);
    EXPECT_LE(f.Get(tf::kPageOverrideCount), ovrabjt::kMaxOverrides);
    EXPECT_LE(f.Get(tf::kInsertCount), ovrabjt::kMaxInserts);
    EXPECT_LE(f.Get(tf::kForceFrontCount), ovrabjt::kMaxForceFront);
  }
}

TEST_F(BadInput, CapabilitiesThatCannotBeReadGiveNull) {
  const std::string good_kesp =
      "<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"name\">a</value>"
      "</trc-supported></kesp>";
  struct Case {
    const char* what;
    int code;
    std::string text;
    bool null_buffer;
    std::optional<std::int32_t> length;  // the text's length when not given
  } cases[] = {
      {"a null buffer", 8, good_kesp, true, std::nullopt},
      {"zero length", 8, good_kesp, false, 0},
      {"a negative length", 8, good_kesp, false, -1},
      {"an unclosed element", 2, "<kesp><trc-supported syntax=\"1setOf\"></kesp>", false,
       std::nullopt},
      {"half a document", 2, good_kesp.substr(0, good_kesp.size() / 2), false, std::nullopt},
      {"two roots", 2, "<kesp/><kesp/>", false, std::nullopt},
      {"an undefined entity", 2, "<kesp><a syntax=\"name\">&nope;</a></kesp>", false, std::nullopt},
      {"an external entity, read without a name", 2,
       "<!DOCTYPE kesp [<!ENTITY e SYSTEM \"ticket.xml\">]><kesp><a syntax=\"name\">&e;</a></kesp>",
       false, std::nullopt},
      {"an unknown encoding", 2, "<?xml version=\"1.0\" encoding=\"nope\"?><kesp/>", false,
       std::nullopt},
      {"a NUL inside", 2, std::string("<kesp>\0</kesp>", 14), false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetPrinterCapInfofromBuffer(c.null_buffer ? nullptr : c.text.data(),
                                          c.length.value_or(std::int32_t(c.text.size()))),
              nullptr)
        << c.what << " (code " << c.code << ")";
  }
}

TEST_F(BadInput, QueriesOutsideTheirDomainGiveFalse) {
  const std::string text =
      "<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"name\">a</value>"
      "</trc-supported></kesp>";
  AttrNodeList* caps = GetPrinterCapInfofromBuffer(text.data(), std::int32_t(text.size()));
  ASSERT_NE(caps, nullptr);
  struct Case {
    const char* what;
    AttrNodeList* list;
    std::int32_t selector;
    std::int32_t width;
    bool with_size;
  } cases[] = {
      {"a null list", nullptr, 1, 8, true},   {"selector 0", caps, 0, 8, true},
      {"selector 18", caps, 18, 8, true},     {"a negative selector", caps, -5, 8, true},
      {"slot width 0", caps, 1, 0, true},     {"a negative slot width", caps, 1, -8, true},
      {"no size pointer", caps, 1, 8, false},
  };
  for (const Case& c : cases) {
    std::int32_t size = 4242;
    char destination[16] = "untouched";
    EXPECT_EQ(GetSpecificKespInfo(c.list, c.selector, c.width, destination,
                                  c.with_size ? &size : nullptr),
              0)
        << c.what;
    EXPECT_EQ(size, 4242) << c.what;
    EXPECT_STREQ(destination, "untouched") << c.what;
  }
  // Media-preference queries on a list of another kind: no stock list.
  MediaRecord medium{};
  std::uint16_t index = 1;
  EXPECT_EQ(PopulateStockFromAttrList(caps, 2, &index, &medium), 1);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(AddStockToMPSContents(caps, 2, &medium), 0);
  ReleaseOvraBjtANL(caps);

  AttrNodeList* prefs = CreateEmptyMPSContents();
  struct StockCase {
    const char* what;
    AttrNodeList* list;
    std::int32_t kind;
    bool with_index;
    std::uint16_t index;
    bool with_record;
    std::uint16_t index_after;
  } stock_cases[] = {
      {"a null list", nullptr, 2, true, 1, true, 1},  {"a null index", prefs, 2, false, 1, true, 1},
      {"a null record", prefs, 2, true, 1, false, 1}, {"index 0", prefs, 2, true, 0, true, 0},
      {"list kind 0", prefs, 0, true, 1, true, 1},    {"list kind 5", prefs, 5, true, 1, true, 1},
  };
  for (const StockCase& c : stock_cases) {
    std::uint16_t i = c.index;
    EXPECT_EQ(PopulateStockFromAttrList(c.list, c.kind, c.with_index ? &i : nullptr,
                                        c.with_record ? &medium : nullptr),
              0)
        << c.what;
    EXPECT_EQ(i, c.index_after) << c.what;
  }
  for (std::int32_t kind : {0, 1, 5, -1}) {
    EXPECT_EQ(AddStockToMPSContents(prefs, kind, &medium), 0) << kind;
  }
  EXPECT_EQ(AddStockToMPSContents(prefs, 2, nullptr), 0);
  EXPECT_EQ(AddStockToMPSContents(nullptr, 2, &medium), 0);
  ReleaseOvraBjtANL(prefs);
}

TEST_F(BadInput, MediaPreferencesThatCannotBeReadGiveNull) {
  WriteFile(dir / "empty.xml", "");
  WriteFile(dir / "malformed.xml", "<mediaprefs><media-user-defined syntax=\"1setOf\">");
  WriteFile(dir / "http-dtd.xml",
            "<!DOCTYPE mediaprefs SYSTEM \"http://127.0.0.1:9/m.dtd\"><mediaprefs/>");
  fs::create_directories(dir / "a-folder.xml");
  struct Case {
    const char* what;
    int code;
    const char* name;  // in the test's folder; null for a null file name
  } cases[] = {
      {"malformed text", 2, "malformed.xml"}, {"a DTD over http", 2, "http-dtd.xml"},
      {"an empty file", 8, "empty.xml"},      {"a folder instead of a file", 15, "a-folder.xml"},
      {"a missing file", 15, "missing.xml"},  {"a null file name", 16, nullptr},
  };
  for (const Case& c : cases) {
    const std::string path = c.name ? (dir / c.name).string() : std::string();
    EXPECT_EQ(GetMediaPreferenceInfofromFile(c.name ? path.c_str() : nullptr), nullptr)
        << c.what << " (code " << c.code << ")";
  }
}

}  // namespace

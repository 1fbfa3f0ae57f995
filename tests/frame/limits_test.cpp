// What the exports do at and past the limits of their input: deep nesting,
// entity bombs, documents that name a DTD over the network, huge texts and
// long lists. Each must give a clear result in bounded time and memory.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/time_bound.h"
#include "ticket/layout.h"

namespace {

namespace fs = std::filesystem;
namespace tf = ovrabjt::ticket_field;
using Clock = std::chrono::steady_clock;

std::chrono::milliseconds Within(int seconds) {
  return ovrabjt::test::TimeBound(std::chrono::seconds(seconds));
}

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
const std::string kBase = kData + "ticket.xml";
const std::string kExample = kData + "examples/ticket.xml";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

AttrNodeList* ParseKesp(const std::string& text) {
  return GetPrinterCapInfofromBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

// The capability's slots of `width` bytes, or nothing when it is refused.
std::vector<char> Slots(AttrNodeList* caps, std::int32_t selector, std::int32_t width) {
  std::int32_t size = -1;
  if (!GetSpecificKespInfo(caps, selector, width, nullptr, &size)) return {};
  std::vector<char> slots(static_cast<std::size_t>(size), 'x');
  EXPECT_EQ(GetSpecificKespInfo(caps, selector, width, slots.data(), &size), 1);
  EXPECT_EQ(slots.size(), static_cast<std::size_t>(size));
  return slots;
}

std::string Nested(int depth) {
  std::string text = "<kesp>";
  for (int i = 0; i < depth; ++i) text += "<trc-supported syntax=\"collection\">";
  for (int i = 0; i < depth; ++i) text += "</trc-supported>";
  return text + "</kesp>";
}

TEST(Limits, NestingDeeperThanTheReadingBoundIsRefused) {
  // The bound is 256 levels below the document element.
  AttrNodeList* shallow = ParseKesp(Nested(200));
  EXPECT_NE(shallow, nullptr);
  ReleaseOvraBjtANL(shallow);
  EXPECT_EQ(ParseKesp(Nested(257)), nullptr);
  EXPECT_EQ(ParseKesp(Nested(300)), nullptr);
  // Far deeper than any stack would take if reading recursed without bound.
  EXPECT_EQ(ParseKesp(Nested(100000)), nullptr);
}

TEST(Limits, EntityBombsAreRefused) {
  // Ten levels of ten references: 10^10 expansions.
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE kesp [\n<!ENTITY l0 \"ha\">\n";
  for (int i = 1; i <= 10; ++i) {
    laughs += "<!ENTITY l" + std::to_string(i) + " \"";
    for (int k = 0; k < 10; ++k) laughs += "&l" + std::to_string(i - 1) + ";";
    laughs += "\">\n";
  }
  laughs +=
      "]>\n<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"name\">&l10;</value>"
      "</trc-supported></kesp>";
  EXPECT_EQ(ParseKesp(laughs), nullptr);

  // Few expansions of one large entity: each is counted, so the text cannot
  // grow past the expansion limit times the entity's size.
  const std::string entities =
      "<!DOCTYPE kesp [\n<!ENTITY big \"" + std::string(100000, 'b') +
      "\">\n"
      "<!ENTITY ten \"&big;&big;&big;&big;&big;&big;&big;&big;&big;&big;\">\n"
      "<!ENTITY hundred \"&ten;&ten;&ten;&ten;&ten;&ten;&ten;&ten;&ten;&ten;\">\n"
      "<!ENTITY thousand \"&hundred;&hundred;&hundred;&hundred;&hundred;"
      "&hundred;&hundred;&hundred;&hundred;&hundred;\">\n]>\n";
  std::string wide = entities + "<kesp><trc-supported syntax=\"1setOf\">";
  for (int i = 0; i < 20; ++i) wide += "<value syntax=\"name\">&thousand;</value>";
  wide += "</trc-supported></kesp>";
  // The same with an entity of 1000 characters, within the bound of a
  // value: the expansion limit stops it after some megabytes.
  std::string within = wide;
  within.replace(within.find(std::string(100000, 'b')), 100000, std::string(1000, 'b'));
  const auto start = Clock::now();
  EXPECT_EQ(ParseKesp(wide), nullptr);
  EXPECT_EQ(ParseKesp(within), nullptr);
  EXPECT_EQ(ParseKesp(entities + "<kesp><a syntax=\"&hundred;\">x</a></kesp>"), nullptr);
  // Refused long before a gigabyte of text is made (several seconds).
  EXPECT_LT(Clock::now() - start, Within(3));

  // Entities of ordinary size still expand.
  const std::string ordinary =
      "<!DOCTYPE kesp [<!ENTITY word \"office\">"
      "<!ENTITY phrase \"&word;-neutral\">]>"
      "<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"name\">"
      "&phrase;&#x20;&word;</value></trc-supported></kesp>";
  AttrNodeList* caps = ParseKesp(ordinary);
  ASSERT_NE(caps, nullptr);
  const std::vector<char> slots = Slots(caps, 1, 24);
  ASSERT_EQ(slots.size(), 24u);
  EXPECT_STREQ(slots.data(), "office-neutral office");
  ReleaseOvraBjtANL(caps);
}

// 40 copies of a megabyte are more than one parse may read; a few are read.
TEST(Limits, LocalEntitiesAreReadWithinABudget) {
  const fs::path dir = fs::temp_directory_path() /
                       ("ovrabjt-budget-" + std::to_string(ovrabjt::testing::CurrentProcessId()));
  fs::create_directories(dir);
  std::ofstream(dir / "mega.txt") << std::string(1 << 20, 'm');
  const auto prefs = [&](const std::string& name, const std::string& text) {
    std::ofstream(dir / name) << text;
    return GetMediaPreferenceInfofromFile((dir / name).string().c_str());
  };
  std::string repeated =
      "<!DOCTYPE mediaprefs [<!ENTITY m SYSTEM \"mega.txt\">]><mediaprefs>"
      "<media-user-defined syntax=\"1setOf\">";
  for (int i = 0; i < 40; ++i) repeated += "<value syntax=\"text\">&m;</value>";
  repeated += "</media-user-defined></mediaprefs>";

  const auto start = Clock::now();
  EXPECT_EQ(prefs("repeated.xml", repeated), nullptr);
  EXPECT_LT(Clock::now() - start, Within(2));

  repeated.erase(repeated.find("<value"), 35 * std::strlen("<value syntax=\"text\">&m;</value>"));
  AttrNodeList* list = prefs("few.xml", repeated);
  EXPECT_NE(list, nullptr);
  ReleaseOvraBjtANL(list);
  fs::remove_all(dir);
}

TEST(Limits, AHundredMegabyteTextIsReadAndCutToItsSlot) {
  std::string text = "<kesp><trc-supported syntax=\"1setOf\"><value syntax=\"text\">";
  text.append(100u << 20, 'm');
  text += "</value><value syntax=\"name\">after</value></trc-supported></kesp>";
  AttrNodeList* caps = ParseKesp(text);
  text = std::string();
  ASSERT_NE(caps, nullptr);
  const std::vector<char> slots = Slots(caps, 1, 8);
  ASSERT_EQ(slots.size(), 16u);
  EXPECT_STREQ(slots.data(), "mmmmmmm");
  EXPECT_STREQ(slots.data() + 8, "after");
  ReleaseOvraBjtANL(caps);
}

TEST(Limits, AHundredThousandCapabilityValuesAreAllCopied) {
  constexpr int kValues = 100000;
  std::string text = "<kesp><halftone-graphics-supported syntax=\"1setOf\">";
  for (int i = 0; i < kValues; ++i) {
    text += "<value syntax=\"keyword\">h" + std::to_string(i) + "</value>";
  }
  text += "</halftone-graphics-supported></kesp>";
  AttrNodeList* caps = ParseKesp(text);
  ASSERT_NE(caps, nullptr);
  const std::vector<char> slots = Slots(caps, 16, 4);
  ASSERT_EQ(slots.size(), std::size_t(kValues) * 4);
  for (int i = 0; i < kValues; i += 997) {
    EXPECT_EQ(std::string(slots.data() + 4 * i),
              std::string("h").append(std::to_string(i)).substr(0, 3))
        << i;
  }
  EXPECT_STREQ(slots.data() + 4 * (kValues - 1), "h99");

  // A slot width of 1 holds only the NUL: every value is an empty text.
  const std::vector<char> narrow = Slots(caps, 16, 1);
  ASSERT_EQ(narrow.size(), std::size_t(kValues));
  EXPECT_EQ(std::count(narrow.begin(), narrow.end(), '\0'), kValues);
  ReleaseOvraBjtANL(caps);
}

TEST(Limits, TenThousandPageRangesStopAtTheRecordsTwoHundredFiftyOverrides) {
  std::string document = ReadFile(kExample);
  const std::size_t pages = document.find("<pages syntax=\"1setOf\">");
  ASSERT_NE(pages, std::string::npos);
  const std::size_t first = document.find("<value", pages);
  const std::size_t end = document.find("</value>", first) + std::strlen("</value>");
  std::string ranges;
  for (int i = 1; i <= 10000; ++i) {
    ranges += "<value syntax=\"rangeOfInteger\"><lower-bound syntax=\"integer\">" +
              std::to_string(2 * i) + "</lower-bound><upper-bound syntax=\"integer\">" +
              std::to_string(2 * i) + "</upper-bound></value>";
  }
  document.replace(first, end - first, ranges);
  const fs::path file =
      fs::temp_directory_path() /
      ("ovrabjt-ranges-" + std::to_string(ovrabjt::testing::CurrentProcessId()) + ".xml");
  std::ofstream(file, std::ios::binary) << document;

  void* block = nullptr;
  std::uint32_t size = 0;
  const OvraBool loaded = LoadOvra(file.string().c_str(), kBase.c_str(), nullptr, &block, &size);
  fs::remove(file);
  ASSERT_EQ(loaded, 1);
  std::vector<std::uint8_t> packed(size);
  ASSERT_EQ(LoadOvra(nullptr, nullptr, packed.data(), &block, &size), 1);
  const ovrabjt::ConstFieldView f(packed.data(), ovrabjt::kTicketSize);
  EXPECT_EQ(f.Get(tf::kPageOverrideCount), ovrabjt::kMaxOverrides);
  const ovrabjt::ConstFieldView last(packed.data() + ovrabjt::OverrideOffset(249),
                                     ovrabjt::kOverrideRecordSize);
  EXPECT_EQ(last.Get(ovrabjt::override_field::kFirstPage), 500);
  EXPECT_EQ(last.Get(ovrabjt::override_field::kLastPage), 500);
}

// ---- Bounds that hold while a document is scanned -------------------------

// The XML library's hash of a name into its table of 257 buckets.
std::size_t LibraryBucket(std::u16string_view name) {
  std::size_t hash = name[0];
  for (std::size_t i = 1; i < name.size(); ++i) hash = hash * 38 + (hash >> 24) + name[i];
  return hash % 257;
}

// `count` distinct names that all fall into bucket 0: four letters, then the
// one ideograph that brings the hash there.
std::vector<std::string> CollidingNames(std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t n = 0; names.size() < count; ++n) {
    std::u16string name;
    for (std::size_t k = n, i = 0; i < 4; ++i, k /= 26) name += char16_t(u'a' + k % 26);
    name += u'\u4E00';
    const std::size_t off = LibraryBucket(name);
    name.back() = char16_t(0x4E00 + (257 - off) % 257);
    EXPECT_EQ(LibraryBucket(name), 0u);
    std::string bytes(name.begin(), name.end() - 1);
    const char16_t c = name.back();
    bytes += {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
    names.push_back(bytes);
  }
  return names;
}

TEST(Limits, CollidingNamesAreRefusedBeforeTheParseTurnsQuadratic) {
  const std::vector<std::string> names = CollidingNames(80000);
  std::string elements = "<kesp>";
  for (const std::string& name : names) elements += "<" + name + "/>";
  elements += "</kesp>";
  std::string attributes = "<kesp>";
  for (const std::string& name : names) attributes += "<a " + name + "=\"\"/>";
  attributes += "</kesp>";
  std::string one_element = "<kesp";
  for (const std::string& name : names) one_element += " " + name + "=\"\"";
  one_element += "/>";
  struct Case {
    const char* what;
    const std::string& text;
  } cases[] = {{"element names", elements},
               {"attribute names", attributes},
               {"attributes of one element", one_element}};
  for (const Case& c : cases) {
    const auto start = Clock::now();
    EXPECT_EQ(ParseKesp(c.text), nullptr) << c.what;
    // Unbounded, 80000 names took over a minute.
    EXPECT_LT(Clock::now() - start, Within(2)) << c.what;
  }
}

TEST(Limits, EveryElementLevelCountsTowardsTheDepthBound) {
  std::string deep = "<kesp>";
  for (int i = 0; i < 1000000; ++i) deep += "<x>";
  for (int i = 0; i < 1000000; ++i) deep += "</x>";
  deep += "</kesp>";
  const auto start = Clock::now();
  EXPECT_EQ(ParseKesp(deep), nullptr);
  EXPECT_LT(Clock::now() - start, Within(2));
  // 256 levels are read: the root and 255 below it.
  std::string deepest = "<kesp>";
  for (int i = 0; i < 254; ++i) deepest += "<x>";
  deepest += "<trc-supported syntax=\"name\">a</trc-supported>";
  for (int i = 0; i < 254; ++i) deepest += "</x>";
  AttrNodeList* caps = ParseKesp(deepest + "</kesp>");
  EXPECT_NE(caps, nullptr);
  ReleaseOvraBjtANL(caps);
  deepest.insert(6, "<x>");
  EXPECT_EQ(ParseKesp(deepest + "</x></kesp>"), nullptr);
}

TEST(Limits, ParameterEntitiesCountAgainstTheOneExpansionLimit) {
  const std::string blanks = "<!ENTITY % b \"" + std::string(1000, ' ') + "\">";
  const auto references = [](const char* name, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += name;
    return text;
  };
  const std::string body = "<kesp><trc-supported syntax=\"name\">a</trc-supported></kesp>";
  // General and parameter expansions together; the limit is 10000.
  const std::string mixed = "<!DOCTYPE kesp [" + blanks + references("%b;", 6000) +
                            "<!ENTITY g \"x\">]><kesp><a syntax=\"name\">" +
                            references("&g;", 4001) + "</a></kesp>";
  // Nested through character references: 10^10 expansions of an empty one.
  std::string nested = "<!DOCTYPE kesp [<!ENTITY % e0 \"\">";
  for (int level = 1; level <= 10; ++level) {
    nested += "<!ENTITY % e" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) nested += "&#37;e" + std::to_string(level - 1) + ";";
    nested += "\">";
  }
  nested += "%e10;]>" + body;
  struct Case {
    const char* what;
    std::string text;
    bool read;
  } cases[] = {
      {"300000 references to 1000 blanks",
       "<!DOCTYPE kesp [" + blanks + references("%b;", 300000) + "]>" + body, false},
      {"10000 references", "<!DOCTYPE kesp [" + blanks + references("%b;", 10000) + "]>" + body,
       true},
      {"10001 references", "<!DOCTYPE kesp [" + blanks + references("%b;", 10001) + "]>" + body,
       false},
      {"6000 parameter and 4001 general", mixed, false},
      {"nested parameter entities", nested, false},
      {"a parameter entity of 1025 characters",
       "<!DOCTYPE kesp [<!ENTITY % b \"" + std::string(1025, ' ') + "\">]>" + body, false},
      {"a parameter entity of 1024 characters",
       "<!DOCTYPE kesp [<!ENTITY % b \"" + std::string(1024, ' ') + "\">%b;]>" + body, true},
  };
  for (const Case& c : cases) {
    const auto start = Clock::now();
    AttrNodeList* caps = ParseKesp(c.text);
    EXPECT_EQ(caps != nullptr, c.read) << c.what;
    ReleaseOvraBjtANL(caps);
    EXPECT_LT(Clock::now() - start, Within(3)) << c.what;
  }
}

// ---- What a document may read ----------------------------------------------

class DocumentReachLimits : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "tickets" / "parts");
    fs::create_directories(dir / "elsewhere");
    fs::copy_file(kData + "ovra-v02012.dtd", dir / "tickets" / "ovra-v02012.dtd");
    std::ofstream(dir / "elsewhere" / "secret.txt") << "secret";
    std::ofstream(dir / "elsewhere" / "lax.dtd")
        << "<!ELEMENT ovra ANY><!ATTLIST ovra x CDATA #IMPLIED>";
    std::ofstream(dir / "tickets" / "parts" / "word.txt") << "inside";
  }
  void TearDown() override { fs::remove_all(dir); }

  // The media preferences file `text`, read from the tickets folder: the
  // text of its one stock list value, or "refused".
  std::string ReadPrefs(const std::string& text) {
    const fs::path file = dir / "tickets" / "prefs.xml";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    AttrNodeList* prefs = GetMediaPreferenceInfofromFile(file.string().c_str());
    if (prefs == nullptr) return "refused";
    ReleaseOvraBjtANL(prefs);
    return "read";
  }

  const fs::path dir = fs::temp_directory_path() /
                       ("ovrabjt-reach-" + std::to_string(ovrabjt::testing::CurrentProcessId()));
};

TEST_F(DocumentReachLimits, EntitiesResolveOnlyInsideTheDocumentsFolder) {
  const std::string secret = (dir / "elsewhere" / "secret.txt").string();
  struct Case {
    const char* what;
    std::string system_id;
    const char* result;
  } cases[] = {
      {"beside the document, in a subfolder", "parts/word.txt", "read"},
      {"an absolute path", secret, "refused"},
      {"an absolute file URL", "file://" + secret, "refused"},
      {"up and out", "../elsewhere/secret.txt", "refused"},
      {"up and back in", "../tickets/parts/word.txt", "refused"},
      {"a system file", "/etc/passwd", "refused"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadPrefs("<!DOCTYPE mediaprefs [<!ENTITY e SYSTEM \"" + c.system_id +
                        "\">]><mediaprefs><media-user-defined syntax=\"text\">&e;"
                        "</media-user-defined></mediaprefs>"),
              c.result)
        << c.what;
  }
}

TEST_F(DocumentReachLimits, CapabilitiesFromMemoryReadNoFileButMayNameADtd) {
  const std::string body = "<kesp><trc-supported syntax=\"name\">a</trc-supported></kesp>";
  struct Case {
    const char* what;
    std::string text;
    bool read;
  } cases[] = {
      {"a DOCTYPE naming a missing DTD", "<!DOCTYPE kesp SYSTEM \"no-such.dtd\">" + body, true},
      {"a DOCTYPE naming a system file", "<!DOCTYPE kesp SYSTEM \"/etc/passwd\">" + body, true},
      {"an external entity",
       "<!DOCTYPE kesp [<!ENTITY e SYSTEM \"/etc/passwd\">]>"
       "<kesp><a syntax=\"name\">&e;</a></kesp>",
       false},
      {"an external parameter entity",
       "<!DOCTYPE kesp [<!ENTITY % e SYSTEM \"/etc/passwd\">%e;]>" + body, false},
  };
  for (const Case& c : cases) {
    AttrNodeList* caps = ParseKesp(c.text);
    EXPECT_EQ(caps != nullptr, c.read) << c.what;
    ReleaseOvraBjtANL(caps);
  }
}

TEST_F(DocumentReachLimits, OvraDocumentsAreValidatedOnlyAgainstTheTypeTheyName) {
  const std::string base = (dir / "tickets" / "job.xml").string();
  const std::string body =
      "<ovra version=\"1.0\" qrcs-version=\"2.01\"><job-template-attributes>"
      "<copies syntax=\"integer\">2</copies></job-template-attributes></ovra>";
  const std::string lax = (dir / "elsewhere" / "lax.dtd").string();
  struct Case {
    const char* what;
    std::string doctype;
    OvraBool loaded;
  } cases[] = {
      {"the release's type by its file name", "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">", 1},
      {"an internal subset",
       "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\" [<!ATTLIST ovra x CDATA #IMPLIED>]>", 0},
      {"an internal subset alone", "<!DOCTYPE ovra [<!ELEMENT ovra ANY>]>", 0},
      {"a permissive type elsewhere", "<!DOCTYPE ovra SYSTEM \"" + lax + "\">", 0},
      {"a relative path", "<!DOCTYPE ovra SYSTEM \"../elsewhere/lax.dtd\">", 0},
      {"a subfolder", "<!DOCTYPE ovra SYSTEM \"parts/ovra-v02012.dtd\">", 0},
      {"no document type", "", 0},
  };
  for (const Case& c : cases) {
    const fs::path file = dir / "tickets" / "ticket.xml";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << c.doctype << body;
    void* block = nullptr;
    std::uint32_t size = 0;
    EXPECT_EQ(LoadOvra(file.string().c_str(), base.c_str(), nullptr, &block, &size), c.loaded)
        << c.what;
    if (c.loaded) {
      std::vector<std::uint8_t> packed(size);
      EXPECT_EQ(LoadOvra(nullptr, nullptr, packed.data(), &block, &size), 1);
    }
  }
}

}  // namespace

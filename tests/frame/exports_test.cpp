// The conversion exports, called through the shared library as a driver
// calls them.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/text_output.h"

namespace {

namespace fs = std::filesystem;
using ovrabjt::test::TextOutput;

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
// Documents are parsed under a name in the folder that holds the DTD.
const std::string kBase = kData + "ticket.xml";
const std::u16string kBase16 = u"" OVRABJT_SOURCE_DIR "/data/ticket.xml";
const std::string kExample = kData + "examples/ticket.xml";

// The document type that documents of the release this library is built for
// name.
std::string BuildDocumentType() {
  const std::string release = OVRABJT_BUILD_RELEASE;
  if (release == "3.0.15") return "ovra-v10.dtd";
  if (release == "3.1.07" || release == "3.2.01") return "ovra-v2000.dtd";
  if (release == "10.0.06") return "ovra-v02010.dtd";
  return "ovra-v02012.dtd";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Both calls of LoadOvra; empty when the first one fails.
std::vector<std::uint8_t> Load(const std::string& file, const char* base = kBase.c_str()) {
  void* block = nullptr;
  std::uint32_t size = 0;
  if (!LoadOvra(file.c_str(), base, nullptr, &block, &size)) return {};
  std::vector<std::uint8_t> packed(size);
  EXPECT_EQ(LoadOvra(nullptr, nullptr, packed.data(), &block, &size), 1);
  return packed;
}

class Exports : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("ovrabjt-exports-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(Exports, ARichTicketSurvivesSaveAndLoad) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  ASSERT_GT(packed.size(), 34368u);
  std::int32_t copies = 0;
  std::memcpy(&copies, packed.data() + 12, 4);
  EXPECT_EQ(copies, 25);

  const fs::path saved = dir / "saved.xml";
  ASSERT_EQ(SaveOvra(saved.string().c_str(), kBase.c_str(), packed.data()), 1);
  // The example holds only settings that a document brings back (no
  // "document-format", which is read but never written), so the trip is exact.
  EXPECT_EQ(Load(saved.string()), packed);

  // The text handed to an output is the saved document, byte for byte.
  TextOutput out;
  ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &out), 1);
  EXPECT_EQ(out.text, ReadFile(saved));
  EXPECT_EQ(
      out.text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE ovra SYSTEM \"" +
                         BuildDocumentType() + "\">\r\n<ovra ",
                     0),
      0u);
}

TEST_F(Exports, LoadFailuresLeaveBlockAndSizeUntouched) {
  WriteFile(dir / "empty.xml", "");
  WriteFile(dir / "malformed.xml", "<?xml version=\"1.0\"?>\n<ovra><copies syntax=\"integer\">");
  WriteFile(dir / "invalid.xml",
            "<?xml version=\"1.0\"?>\n<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\n"
            "<ovra><job-template-attributes><no-such-attribute syntax=\"integer\">1"
            "</no-such-attribute></job-template-attributes></ovra>");
  fs::copy_file(kExample, dir / "good.xml");
  const std::string beside_the_file = (dir / "good.xml").string();
  struct Case {
    const char* what;
    std::string file;
    const char* base;
  } cases[] = {
      {"missing file", (dir / "missing.xml").string(), kBase.c_str()},
      {"empty file", (dir / "empty.xml").string(), kBase.c_str()},
      {"malformed", (dir / "malformed.xml").string(), kBase.c_str()},
      {"invalid", (dir / "invalid.xml").string(), kBase.c_str()},
      {"empty base name", (dir / "good.xml").string(), ""},
      {"null base name", (dir / "good.xml").string(), nullptr},
      {"base name without the DTD", beside_the_file, beside_the_file.c_str()},
  };
  for (const Case& c : cases) {
    void* block = reinterpret_cast<void*>(0x1234);
    std::uint32_t size = 777;
    EXPECT_EQ(LoadOvra(c.file.c_str(), c.base, nullptr, &block, &size), 0) << c.what;
    EXPECT_EQ(block, reinterpret_cast<void*>(0x1234)) << c.what;
    EXPECT_EQ(size, 777u) << c.what;
  }
  std::uint32_t size = 0;
  EXPECT_EQ(LoadOvra(kExample.c_str(), kBase.c_str(), nullptr, nullptr, &size), 0);
  void* block = nullptr;
  EXPECT_EQ(LoadOvra(kExample.c_str(), kBase.c_str(), nullptr, &block, nullptr), 0);
}

TEST_F(Exports, TheSecondLoadCallCopiesOnce) {
  void* block = nullptr;
  std::uint32_t size = 0;
  ASSERT_EQ(LoadOvra(kExample.c_str(), kBase.c_str(), nullptr, &block, &size), 1);
  std::vector<std::uint8_t> first(size), second(size, 0xEE);
  EXPECT_EQ(LoadOvra(nullptr, nullptr, first.data(), &block, &size), 1);
  // The block is gone; a repeated second call fails rather than using it.
  EXPECT_EQ(LoadOvra(nullptr, nullptr, second.data(), &block, &size), 0);
  EXPECT_EQ(second, std::vector<std::uint8_t>(size, 0xEE));
}

// A packed ticket whose string table repeats a text.
std::vector<std::uint8_t> DamagedTicket() {
  std::vector<std::uint8_t> packed(34368, 0);
  packed[58] = 2;
  for (char c : std::string("same\0same\0", 10)) packed.push_back(static_cast<std::uint8_t>(c));
  return packed;
}

TEST_F(Exports, SaveFailuresLeaveNoFile) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  const fs::path missing_folder = dir / "no-such-folder" / "out.xml";
  EXPECT_EQ(SaveOvra(missing_folder.string().c_str(), kBase.c_str(), packed.data()), 0);
  EXPECT_FALSE(fs::exists(missing_folder));

  const fs::path target = dir / "out.xml";
  EXPECT_EQ(SaveOvra(target.string().c_str(), kBase.c_str(), DamagedTicket().data()), 0);
  EXPECT_EQ(SaveOvra(target.string().c_str(), "", packed.data()), 0);
  EXPECT_EQ(SaveOvra(target.string().c_str(), kBase.c_str(), nullptr), 0);
  EXPECT_EQ(SaveOvra(nullptr, kBase.c_str(), packed.data()), 0);
  EXPECT_TRUE(fs::is_empty(dir));

  // A failed save leaves an earlier document as it was.
  WriteFile(target, "previous");
  EXPECT_EQ(SaveOvra(target.string().c_str(), "", packed.data()), 0);
  EXPECT_EQ(ReadFile(target), "previous");
}

TEST_F(Exports, StreamFailures) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), nullptr), 0);

  TextOutput refused_base;
  EXPECT_EQ(ConvertBJTToOvraStream(u"", packed.data(), &refused_base), 0);
  EXPECT_EQ(ConvertBJTToOvraStream(nullptr, packed.data(), &refused_base), 0);
  EXPECT_EQ(refused_base.calls, 0);

  TextOutput damaged;
  EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), DamagedTicket().data(), &damaged), 0);
  EXPECT_EQ(damaged.calls, 0);

  TextOutput full;
  ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &full), 1);
  ASSERT_GT(full.calls, 1);
  TextOutput refusing(1);
  EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &refusing), 0);
  EXPECT_EQ(refusing.calls, 2);  // writing stopped at the refusal
  EXPECT_EQ(full.text.rfind(refusing.text, 0), 0u);
  EXPECT_LT(refusing.text.size(), full.text.size());

  // Without indentation only the declaration ends in a line break.
  TextOutput flat(-1, false);
  ASSERT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &flat), 1);
  EXPECT_EQ(flat.text.find('\t'), std::string::npos);
  EXPECT_EQ(flat.text.find("\r\n", flat.text.find("?>\r\n") + 4), std::string::npos);
}

TEST_F(Exports, ReleasingNullDoesNothing) {
  ReleaseOvraBjtANL(nullptr);
  SUCCEED();
}

}  // namespace

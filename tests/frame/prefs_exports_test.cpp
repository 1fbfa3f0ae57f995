// Capabilities and media preferences, called through the shared library.
#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// "qrcs-version" of the release this library is built for.
std::string QrcsVersion() {
  const std::string release = OVRABJT_BUILD_RELEASE;
  return release == "10.0.06" || release == "3.6.09" ? "2.01" : "1.2";
}

AttrNodeList* ParseKesp(const std::string& text) {
  return GetPrinterCapInfofromBuffer(text.data(), static_cast<int32_t>(text.size()));
}

const std::string kKesp =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kesp version=\"1.0\">\n"
    "  <trc-supported syntax=\"1setOf\">\n"
    "    <value syntax=\"name\">office-neutral</value>\n"
    "    <value syntax=\"keyword\">linear</value>\n"
    "    <value syntax=\"text\">" +
    std::string(40, 'w') +
    "</value>\n"
    "  </trc-supported>\n"
    "</kesp>\n";

TEST(CapabilityExports, SlotsFollowTheTwoCallProtocol) {
  AttrNodeList* caps = ParseKesp(kKesp);
  ASSERT_NE(caps, nullptr);
  int32_t size = -1;
  ASSERT_EQ(GetSpecificKespInfo(caps, 1, 32, nullptr, &size), 1);
  EXPECT_EQ(size, 96);
  std::vector<char> slots(static_cast<std::size_t>(size), 'x');
  ASSERT_EQ(GetSpecificKespInfo(caps, 1, 32, slots.data(), &size), 1);
  EXPECT_STREQ(slots.data(), "office-neutral");
  EXPECT_STREQ(slots.data() + 32, "linear");
  EXPECT_EQ(std::string(slots.data() + 64), std::string(31, 'w'));

  for (int32_t selector : {0, 18}) {
    size = 5;
    EXPECT_EQ(GetSpecificKespInfo(caps, selector, 32, nullptr, &size), 0) << selector;
    EXPECT_EQ(size, 5);
  }
  EXPECT_EQ(GetSpecificKespInfo(caps, 15, 32, nullptr, &size), 1);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(GetSpecificKespInfo(nullptr, 1, 32, nullptr, &size), 0);
  ReleaseOvraBjtANL(caps);
}

TEST(CapabilityExports, UnreadableBuffersGiveNull) {
  EXPECT_EQ(GetPrinterCapInfofromBuffer(kKesp.data(), 0), nullptr);
  EXPECT_EQ(GetPrinterCapInfofromBuffer(kKesp.data(), -1), nullptr);
  EXPECT_EQ(GetPrinterCapInfofromBuffer(nullptr, 10), nullptr);
  EXPECT_EQ(ParseKesp("<kesp><trc-supported syntax=\"1setOf\"></kesp>"), nullptr);
  EXPECT_EQ(ParseKesp(kKesp.substr(0, kKesp.size() / 2)), nullptr);
}

class MediaPrefsExports : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("ovrabjt-prefs-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST_F(MediaPrefsExports, AnEmptyDocumentHoldsThreeEmptyListsInOrder) {
  AttrNodeList* list = CreateEmptyMPSContents();
  ASSERT_NE(list, nullptr);
  MediaRecord medium{};
  EXPECT_EQ(AddStockToMPSContents(list, 1, &medium), 0);
  const fs::path file = dir / "prefs.xml";
  ASSERT_EQ(SaveMPSContentstoFile(list, file.string().c_str()), 1);
  EXPECT_EQ(ReadFile(file),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "\r\n<mediaprefs qrcs-version=\"" +
                QrcsVersion() +
                "\" version=\"1.0\" xml:lang=\"en-US\"> "
                "\r\n<media-user-defined syntax=\"1setOf\"/>"
                "\r\n<media-favorites-user-defined syntax=\"1setOf\"/>"
                "\r\n<media-favorites-printer syntax=\"1setOf\"/></mediaprefs>");
  ReleaseOvraBjtANL(list);
}

TEST_F(MediaPrefsExports, StocksAreEnumeratedFromOne) {
  const fs::path file = dir / "prefs.xml";
  std::ofstream(file) << "<?xml version=\"1.0\"?>\n<mediaprefs>\n"
                         "  <media-user-defined syntax=\"1setOf\">\n"
                         "    <value syntax=\"collection\">\n"
                         "      <media-color syntax=\"keyword\">blue</media-color>\n"
                         "    </value>\n"
                         "    <value syntax=\"collection\">\n"
                         "      <media-weight-metric syntax=\"integer\">90</media-weight-metric>\n"
                         "    </value>\n"
                         "  </media-user-defined>\n"
                         "</mediaprefs>\n";
  AttrNodeList* list = GetMediaPreferenceInfofromFile(file.string().c_str());
  ASSERT_NE(list, nullptr);
  MediaRecord medium;
  uint16_t index = 1;
  ASSERT_EQ(PopulateStockFromAttrList(list, 2, &index, &medium), 1);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(medium.color, 8);
  index = 2;
  ASSERT_EQ(PopulateStockFromAttrList(list, 2, &index, &medium), 1);
  EXPECT_EQ(medium.weight, 90);
  EXPECT_EQ(medium.flags & 1, 0);
  index = 3;
  EXPECT_EQ(PopulateStockFromAttrList(list, 2, &index, &medium), 1);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(PopulateStockFromAttrList(list, 2, &index, &medium), 0);
  index = 1;
  EXPECT_EQ(PopulateStockFromAttrList(list, 4, &index, &medium), 1);
  EXPECT_EQ(index, 0);
  index = 1;
  EXPECT_EQ(PopulateStockFromAttrList(list, 5, &index, &medium), 0);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(AddStockToMPSContents(list, 4, &medium), 0);
  EXPECT_EQ(PopulateStockFromAttrList(nullptr, 2, &index, &medium), 0);
  EXPECT_EQ(PopulateStockFromAttrList(list, 2, nullptr, &medium), 0);
  ReleaseOvraBjtANL(list);
  EXPECT_EQ(GetMediaPreferenceInfofromFile((dir / "missing.xml").string().c_str()), nullptr);
  EXPECT_EQ(GetMediaPreferenceInfofromFile(nullptr), nullptr);
}

TEST_F(MediaPrefsExports, AnAddedStockComesBackThroughTheFile) {
  AttrNodeList* list = CreateEmptyMPSContents();
  MediaRecord in;
  std::memset(&in, 0, sizeof in);
  in.sizeCode = 256;
  in.shortEdge = 100;
  in.longEdge = 148;
  in.frontCoating = 32;
  in.backCoating = 1;
  in.color = 64;
  std::strcpy(in.colorName, "Sunrise");
  if (std::string(OVRABJT_BUILD_RELEASE) == "3.6.09") {
    // Grain, tooth and named types are the newest release's words.
    in.grain = 2;
    in.tooth = 1;
    in.type = 16;
    std::strcpy(in.typeName, "Postcard");
    in.typeCountSet = 1;
    in.typeCount = 4;
    in.tabCount = 4;
  } else {
    in.grain = 4;
    in.tooth = 8;
    in.type = 4;
    in.typeCountSet = 2;
    in.typeCount = 5;
    in.tabCount = 4;
  }
  in.weight = 300;
  in.flags = 0;
  in.holeCode = 2;
  std::strcpy(in.description, "Postcard 300");
  // The bytes the conversion leaves alone are those of a fresh record.
  in.reserved26 = 8;
  in.reserved30 = 1;
  ASSERT_EQ(AddStockToMPSContents(list, 3, &in), 1);
  const fs::path file = dir / "prefs.xml";
  ASSERT_EQ(SaveMPSContentstoFile(list, file.string().c_str()), 1);
  ReleaseOvraBjtANL(list);

  list = GetMediaPreferenceInfofromFile(file.string().c_str());
  ASSERT_NE(list, nullptr);
  MediaRecord out;
  uint16_t index = 1;
  ASSERT_EQ(PopulateStockFromAttrList(list, 3, &index, &out), 1);
  EXPECT_EQ(index, 1);
  EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);
  ReleaseOvraBjtANL(list);
}

TEST_F(MediaPrefsExports, AFailedSaveReleasesTheList) {
  AttrNodeList* list = CreateEmptyMPSContents();
  const fs::path file = dir / "missing-folder" / "prefs.xml";
  // By contract the list is gone afterwards; the sanitizer build would see a
  // leak if it were not, and a double release if the caller released it.
  EXPECT_EQ(SaveMPSContentstoFile(list, file.string().c_str()), 0);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(SaveMPSContentstoFile(nullptr, file.string().c_str()), 0);
}

}  // namespace

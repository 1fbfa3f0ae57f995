// The exports of ovrabjt.dll on Windows files and names, as a driver calls
// them: names in the ANSI code page, long paths, files another program
// holds, read-only files, folders and devices, and a wide base name whose
// folder the ANSI code page cannot spell.
#include <windows.h>

#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "other_program_hold.h"
#include "platform/code_page.h"
#include "platform/path_text.h"
#include "support/temp_folder.h"
#include "support/text_output.h"

namespace {

namespace fs = std::filesystem;
using ovrabjt::test::TextOutput;
using ovrabjt::testing::ReadFileBytes;
using ovrabjt::testing::TempFolder;
using ovrabjt::testing::WriteFileBytes;

const std::string kData = OVRABJT_SOURCE_DIR "/data/";
const std::string kBase = kData + "ticket.xml";
const std::u16string kBase16 = u"" OVRABJT_SOURCE_DIR "/data/ticket.xml";
const std::string kExample = kData + "examples/ticket.xml";

std::wstring Wide(std::u16string_view units) { return std::wstring(units.begin(), units.end()); }
std::wstring Wide(const std::string& utf8) { return Wide(ovrabjt::Utf8ToUtf16(utf8)); }

std::vector<std::uint8_t> Load(const std::string& file) {
  void* block = nullptr;
  std::uint32_t size = 0;
  if (!LoadOvra(file.c_str(), kBase.c_str(), nullptr, &block, &size)) return {};
  std::vector<std::uint8_t> packed(size);
  EXPECT_EQ(LoadOvra(nullptr, nullptr, packed.data(), &block, &size), 1);
  return packed;
}

std::string Convert(const std::u16string& base, const std::vector<std::uint8_t>& packed,
                    OvraBool& result) {
  TextOutput out;
  result = ConvertBJTToOvraStream(base.c_str(), packed.data(), &out);
  return out.text;
}

// The ANSI code page under Wine is 1252, where 0xE9 is é and 0x80 is €.
TEST(WindowsExports, NamesInTheAnsiCodePageAndLongPathsSaveAndLoadBack) {
  ASSERT_EQ(::GetACP(), 1252u);
  const std::vector<std::uint8_t> packed = Load(kExample);
  ASSERT_FALSE(packed.empty());
  const TempFolder root;
  std::string long_folder = root.Path();
  while (long_folder.size() < 280) long_folder += "/" + std::string(50, 'd');
  ASSERT_TRUE(fs::create_directories(ovrabjt::FileSystemPath(long_folder)));
  std::string prefixed = "\\\\?\\" + long_folder + "\\prefixed.xml";
  for (char& c : prefixed) c = c == '/' ? '\\' : c;
  struct Case {
    const char* what;
    std::string narrow;   // as the driver passes it
    std::wstring stored;  // the file's name as the system keeps it
  };
  const Case cases[] = {
      {"letters above 0x7F", root / "caf\xE9 \x80.xml",
       Wide(root.Path()) + L"/caf\u00E9 \u20AC.xml"},
      {"longer than MAX_PATH", long_folder + "/job.xml",
       L"\\\\?\\" + Wide(long_folder) + L"\\job.xml"},
      {"with the long prefix", prefixed, Wide(prefixed)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(SaveOvra(c.narrow.c_str(), kBase.c_str(), packed.data()), 1);
    std::wstring stored = c.stored;
    for (wchar_t& w : stored) w = w == L'/' && stored.rfind(L"\\\\?\\", 0) == 0 ? L'\\' : w;
    EXPECT_NE(::GetFileAttributesW(stored.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Load(c.narrow), packed);
  }
}

// Another program's handle without sharing: the save fails at once and
// leaves the file, the load fails at once. A read-only file is not saved
// over; a folder is neither read nor written; NUL is a device, written
// directly and never read as a document.
TEST(WindowsExports, FilesTheModuleMayNotUseFailAtOnceAndStayAsTheyWere) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  ASSERT_FALSE(packed.empty());
  const TempFolder root;
  WriteFileBytes(root / "held.xml", "previous");
  WriteFileBytes(root / "read-only.xml", ReadFileBytes(kExample));
  ASSERT_TRUE(::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  fs::create_directories(ovrabjt::FileSystemPath(root / "folder.xml"));
  const HANDLE held = ::CreateFileW(Wide(root / "held.xml").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  struct Case {
    const char* what;
    std::string path;
    OvraBool saved;
    bool loads;
  };
  const Case cases[] = {
      {"held without sharing", root / "held.xml", 0, false},
      {"read-only", root / "read-only.xml", 0, true},
      {"folder", root / "folder.xml", 0, false},
      {"device", "NUL", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(SaveOvra(c.path.c_str(), kBase.c_str(), packed.data()), c.saved);
    EXPECT_EQ(Load(c.path).empty(), !c.loads);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  }
  ::CloseHandle(held);
  ::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(root / "held.xml"), "previous");
  EXPECT_EQ(ReadFileBytes(root / "read-only.xml"), ReadFileBytes(kExample));
  EXPECT_TRUE(fs::is_directory(ovrabjt::FileSystemPath(root / "folder.xml")));
  EXPECT_EQ(root.Entries(), (std::vector<std::string>{"folder.xml", "held.xml", "read-only.xml"}));
}

// Another process holds the file open without sharing: the load and the
// save fail at once, not after a wait, and leave the file byte for byte as
// it was and no temporary beside it. Once the process lets go, the same
// load and save work.
TEST(WindowsExports, AFileAnotherProcessHoldsWithoutSharingFailsAtOnceAndStaysAsItWas) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  ASSERT_FALSE(packed.empty());
  const TempFolder root;
  const std::string held = root / "held.xml";
  const std::string before = ReadFileBytes(kExample);
  WriteFileBytes(held, before);
  ovrabjt::testing::OtherProgramHold hold(Wide(held));
  ASSERT_TRUE(hold.Held());

  struct Case {
    const char* what;
    std::function<OvraBool()> call;
  };
  const Case cases[] = {
      {"load", [&] { return OvraBool(!Load(held).empty()); }},
      {"save", [&] { return SaveOvra(held.c_str(), kBase.c_str(), packed.data()); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(c.call(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  }
  EXPECT_EQ(root.Entries(), std::vector<std::string>{"held.xml"});
  EXPECT_EQ(hold.LetGo(), 0);
  EXPECT_EQ(ReadFileBytes(held), before);
  for (const Case& c : cases) EXPECT_EQ(c.call(), 1) << c.what << " after the other process let go";
  EXPECT_EQ(Load(held), packed);
}

// The wide base name reaches the document type whole: in a folder whose
// name has no letter in the ANSI code page, the conversion validates
// against the DTD there, and fails where that folder has none.
TEST(WindowsExports, AWideBaseNameOutsideTheAnsiCodePageFindsItsDocumentType) {
  const std::vector<std::uint8_t> packed = Load(kExample);
  ASSERT_FALSE(packed.empty());
  OvraBool result = 0;
  const std::string expected = Convert(kBase16, packed, result);
  ASSERT_EQ(result, 1);

  const TempFolder root;
  const std::u16string folder = ovrabjt::Utf8ToUtf16(root.Path()) + u"/\u0416\u4E2D";
  const std::u16string empty_folder = ovrabjt::Utf8ToUtf16(root.Path()) + u"/\u0416\u4E2E";
  ASSERT_TRUE(::CreateDirectoryW(Wide(folder).c_str(), nullptr));
  ASSERT_TRUE(::CreateDirectoryW(Wide(empty_folder).c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW(Wide(kData + OVRABJT_DOCUMENT_TYPE).c_str(),
                          Wide(folder + u"/"
                                        u"" OVRABJT_DOCUMENT_TYPE)
                              .c_str(),
                          TRUE));
  // The ANSI code page spells neither folder: both become the same "??".
  char narrow[16] = {};
  const std::wstring last = L"\u0416\u4E2D";
  ::WideCharToMultiByte(CP_ACP, 0, last.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  EXPECT_STREQ(narrow, "??");

  EXPECT_EQ(Convert(folder + u"/ticket.xml", packed, result), expected);
  EXPECT_EQ(result, 1);
  Convert(empty_folder + u"/ticket.xml", packed, result);
  EXPECT_EQ(result, 0);
}

// A document that names a server's file or a device as its DTD or as an
// entity is refused at once: no network path is tried, no device opened.
// The same document naming a file beside it reads it.
TEST(WindowsExports, DocumentsNamingServersOrDevicesAreRefusedAtOnce) {
  const TempFolder root;
  WriteFileBytes(root / "part.ent", "Office white 80");
  const auto prefs = [&](const std::string& reference) {
    WriteFileBytes(root / "prefs.xml",
                   "<!DOCTYPE mediaprefs [<!ENTITY e SYSTEM \"" + reference +
                       "\">]><mediaprefs><media-user-defined syntax=\"1setOf\"><value "
                       "syntax=\"text\">&e;</value></media-user-defined></mediaprefs>");
    return GetMediaPreferenceInfofromFile((root / "prefs.xml").c_str());
  };
  AttrNodeList* beside = prefs("part.ent");
  EXPECT_NE(beside, nullptr);
  ReleaseOvraBjtANL(beside);
  for (const char* reference :
       {"\\\\ovrabjt-no-such-server\\share\\part.ent", "//ovrabjt-no-such-server/share/part.ent",
        "\\\\?\\UNC\\ovrabjt-no-such-server\\share\\part.ent", "CON", "nul.ent", "COM1",
        "\\\\.\\pipe\\ovrabjt"}) {
    SCOPED_TRACE(reference);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(prefs(reference), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  }
  // As the document type of a document too.
  WriteFileBytes(root / "prefs.xml",
                 "<!DOCTYPE mediaprefs SYSTEM \"\\\\ovrabjt-no-such-server\\m.dtd\"><mediaprefs/>");
  EXPECT_EQ(GetMediaPreferenceInfofromFile((root / "prefs.xml").c_str()), nullptr);
}

}  // namespace

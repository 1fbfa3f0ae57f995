#include "xml/velmor_xml_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "inspect/attr_dump.h"
#include "support/attr_text.h"
#include "support/fake_file_system.h"
#include "support/temp_folder.h"
#include "xml/ovra_parse_exception.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

using testing::CodeRaisedBy;
using testing::FakeFileSystem;
using testing::ParseAttrText;
using testing::ReadFileBytes;
using testing::StringOutput;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kTicketName = std::string(OVRABJT_SOURCE_DIR) + "/data/ticket.xml";

const char* const kTicket =
    "job-name name Report\n"
    "copies integer 2\n"
    "media-col collection\n"
    "  media-size collection\n"
    "    x-dimension integer 21000\n";

const std::string kPrevious = std::string("previous file\r\n") + '\0' + "kept byte for byte";

std::string MemoryText(const AttrNodeList& list) {
  StringOutput output;
  VelmorXmlDataStream(kOvraDocument, &output, kTicketName.c_str()).WriteList(list);
  return output.text;
}

// The exception a call raises; code 0 when none.
OvraParseException RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const OvraParseException& error) {
    return error;
  }
  return OvraParseException(static_cast<OvraErrorCode>(0));
}

TEST(VelmorXmlFileTest, WritesTheSameTextAsMemoryAndReadsItBack) {
  TempFolder folder;
  const std::string path = folder / "ticket.xml";
  const auto list = ParseAttrText(kTicket);
  VelmorXmlFile file(kOvraDocument, path.c_str(), kTicketName.c_str());
  file.WriteList(*list);
  EXPECT_EQ(ReadFileBytes(path), MemoryText(*list));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});

  AttrNodeList read;
  file.Read(read);
  file.Read(read);  // the buffer of the first read is gone; the file is read anew
  EXPECT_EQ(DumpAttrList(read), DumpAttrList(*list) + DumpAttrList(*list));
  EXPECT_TRUE(file.LastSystemError().empty());
}

TEST(VelmorXmlFileTest, NameIsTheStreamsElseTheFilesElseTheDefault) {
  EXPECT_EQ(VelmorXmlFile(kKespDocument, "a/caps.xml", "base.xml").GetName(), "base.xml");
  EXPECT_EQ(VelmorXmlFile(kKespDocument, "a/caps.xml", "").GetName(), "a/caps.xml");
  EXPECT_EQ(VelmorXmlFile(kKespDocument, "a/caps.xml").GetName(), "a/caps.xml");
  EXPECT_EQ(VelmorXmlFile(kKespDocument, "").GetName(), "XmlStream");
  EXPECT_EQ(VelmorXmlFile(kKespDocument, nullptr).GetName(), "XmlStream");
}

// Without a name the file's own path is the system identifier, so the
// document type it names is found beside it.
TEST(VelmorXmlFileTest, UnnamedFileResolvesReferencesBesideItself) {
  TempFolder folder;
  WriteFileBytes(folder / "prefs.dtd", "<!ENTITY who 'the user'>");
  WriteFileBytes(folder / "prefs.xml",
                 "<!DOCTYPE mediaprefs SYSTEM 'prefs.dtd'>"
                 "<mediaprefs><owner syntax='text'>&who;</owner></mediaprefs>");
  VelmorXmlFile file(kMediaPrefsDocument, (folder / "prefs.xml").c_str());
  AttrNodeList list;
  file.Read(list);
  EXPECT_EQ(DumpAttrList(list), "owner (text) = the user\n");
}

TEST(VelmorXmlFileTest, EveryReadFailureHasItsCode) {
  TempFolder folder;
  const std::string kesp = "<kesp><a syntax='integer'>1</a></kesp>";
  const std::string caps = folder / "caps.xml", empty = folder / "empty.xml";
  const std::string missing = folder / "missing.xml";
  WriteFileBytes(caps, kesp);
  WriteFileBytes(empty, "");
  const struct {
    const char* what;
    const char* file_name;
    std::function<void(FakeFileSystem&)> arrange;
    OvraErrorCode code;
    std::string detail;
  } cases[] = {
      {"no file name", nullptr, nullptr, OvraErrorCode::kFileReadWithoutName, ""},
      {"missing file", missing.c_str(), nullptr, OvraErrorCode::kFileOpenFailed, missing},
      {"folder", folder.Path().c_str(), nullptr, OvraErrorCode::kFileOpenFailed, folder.Path()},
      {"not allowed", caps.c_str(), [](FakeFileSystem& f) { f.open_errno = EACCES; },
       OvraErrorCode::kFileOpenFailed, caps},
      {"empty file", empty.c_str(), nullptr, OvraErrorCode::kNoInput, ""},
      {"size unknown", caps.c_str(), [](FakeFileSystem& f) { f.fstat_errno = EOVERFLOW; },
       OvraErrorCode::kFileSizeFailed, ""},
      {"larger than 32 bits", caps.c_str(),
       [](FakeFileSystem& f) { f.size = std::int64_t{1} << 32; }, OvraErrorCode::kFileSizeFailed,
       ""},
      {"largest size, no heap", caps.c_str(),
       [](FakeFileSystem& f) {
         f.size = static_cast<std::int64_t>(VelmorXmlFile::kMaxFileSize);
         f.heap_empty = true;
       },
       OvraErrorCode::kNoMemoryForFile, ""},
      {"a byte over the largest size", caps.c_str(),
       [](FakeFileSystem& f) {
         f.size = static_cast<std::int64_t>(VelmorXmlFile::kMaxFileSize) + 1;
         f.heap_empty = true;
       },
       OvraErrorCode::kFileSizeFailed, ""},
      {"read error", caps.c_str(), [](FakeFileSystem& f) { f.read_errno = EIO; },
       OvraErrorCode::kFileReadFailed, ""},
      {"file shorter than its size", caps.c_str(),
       [&](FakeFileSystem& f) { f.size = static_cast<std::int64_t>(kesp.size() + 1); },
       OvraErrorCode::kFileReadFailed, ""},
  };
  for (const auto& c : cases) {
    FakeFileSystem fake;
    if (c.arrange) c.arrange(fake);
    VelmorXmlFile file(kKespDocument, c.file_name, nullptr, fake.Calls());
    AttrNodeList list;
    const OvraParseException error = RaisedBy([&] { file.Read(list); });
    EXPECT_EQ(error.code(), c.code) << c.what;
    EXPECT_EQ(error.detail(), c.detail) << c.what;
    EXPECT_TRUE(list.empty()) << c.what;
  }
  // Reads that come in pieces and are interrupted still read the whole file.
  FakeFileSystem fake;
  fake.max_transfer = 3;
  fake.interrupt = true;
  VelmorXmlFile file(kKespDocument, caps.c_str(), nullptr, fake.Calls());
  AttrNodeList list;
  file.Read(list);
  EXPECT_EQ(DumpAttrList(list), "a (integer) = 1\n");
  EXPECT_GT(fake.interrupted_calls, 10);
}

constexpr const char* kFileDetail = "<file name>";

// Whatever makes a save fail, the previous file stays byte for byte and no
// other file is left in the folder.
TEST(VelmorXmlFileTest, FailedSaveLeavesThePreviousFile) {
  const auto list = ParseAttrText(kTicket);
  const auto unclassified = ParseAttrText("copies integer 1\nfinishing integer 3\n");
  const struct {
    const char* what;
    const char* name;
    const AttrNodeList* list;
    std::function<void(FakeFileSystem&)> arrange;
    OvraErrorCode code;
    std::string detail;  // kFileDetail stands for the file's name
  } cases[] = {
      {"write fails at once", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.write_errno = ENOSPC; }, OvraErrorCode::kFileWriteFailed, ""},
      {"write fails midway", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) {
         f.write_errno = EIO;
         f.write_fails_after = 100;
         f.max_transfer = 7;
       },
       OvraErrorCode::kFileWriteFailed, ""},
      {"device fills up silently", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.write_stalls_after = 50; }, OvraErrorCode::kFileWriteFailed, ""},
      {"data not on disk", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.fsync_errno = EIO; }, OvraErrorCode::kFileWriteFailed, ""},
      {"data lost at close", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.close_errno = EIO; }, OvraErrorCode::kFileWriteFailed, ""},
      {"file not replaceable", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.rename_errno = EBUSY; }, OvraErrorCode::kFileCreateFailed,
       kFileDetail},
      {"file not writable", kTicketName.c_str(), list.get(),
       [](FakeFileSystem& f) { f.open_errno = EACCES; }, OvraErrorCode::kFileCreateFailed,
       kFileDetail},
      {"unclassified attribute", kTicketName.c_str(), unclassified.get(), nullptr,
       OvraErrorCode::kAttributeOutsideGroups, "finishing"},
      {"ovra without a name", nullptr, list.get(), nullptr, OvraErrorCode::kOvraWithoutName, ""},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string path = folder / "ticket.xml";
    WriteFileBytes(path, kPrevious);
    FakeFileSystem fake;
    if (c.arrange) c.arrange(fake);
    VelmorXmlFile file(kOvraDocument, path.c_str(), c.name, fake.Calls());
    const OvraParseException error = RaisedBy([&] { file.WriteList(*c.list); });
    EXPECT_EQ(error.code(), c.code) << c.what;
    EXPECT_EQ(error.detail(), c.detail == kFileDetail ? path : c.detail) << c.what;
    if (c.code == OvraErrorCode::kFileWriteFailed || c.detail == kFileDetail) {
      EXPECT_FALSE(file.LastSystemError().empty()) << c.what;
    }
    EXPECT_EQ(ReadFileBytes(path), kPrevious) << c.what;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"}) << c.what;
  }
}

// The folder's sync comes after the replacement: when it fails, the save
// fails as an unsynced file does (code 19), with the new file in place.
TEST(VelmorXmlFileTest, FolderThatCannotBeSyncedFailsTheSaveAfterTheReplacement) {
  TempFolder folder;
  const std::string path = folder / "ticket.xml";
  WriteFileBytes(path, kPrevious);
  const auto list = ParseAttrText(kTicket);
  FakeFileSystem fake;
  fake.fsync_folder_errno = EIO;
  VelmorXmlFile file(kOvraDocument, path.c_str(), kTicketName.c_str(), fake.Calls());
  EXPECT_EQ(CodeRaisedBy([&] { file.WriteList(*list); }), 19);
  EXPECT_EQ(ReadFileBytes(path), MemoryText(*list));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});
}

TEST(VelmorXmlFileTest, FilesThatCannotBeCreated) {
  TempFolder folder;
  WriteFileBytes(folder / "plain", "x");
  const auto list = ParseAttrText(kTicket);
  for (const std::string& path :
       {folder / "missing/ticket.xml", folder / "plain/ticket.xml", folder.Path(), std::string()}) {
    VelmorXmlFile file(kOvraDocument, path.c_str(), kTicketName.c_str());
    const OvraParseException error = RaisedBy([&] { file.WriteList(*list); });
    EXPECT_EQ(error.code(), OvraErrorCode::kFileCreateFailed) << path;
    EXPECT_EQ(error.detail(), path);
  }
  VelmorXmlFile unnamed(kOvraDocument, nullptr, kTicketName.c_str());
  EXPECT_EQ(CodeRaisedBy([&] { unnamed.WriteList(*list); }), 18);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"plain"});
}

TEST(VelmorXmlFileTest, ReplacedFileKeepsItsPermissionBits) {
  TempFolder folder;
  const std::string path = folder / "prefs.xml";
  WriteFileBytes(path, kPrevious);
  ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
  FakeFileSystem fake;
  fake.max_transfer = 5;  // short writes and interruptions are carried on
  fake.interrupt = true;
  const auto list = ParseAttrText(
      "media-col-database 1setOf\n  value collection\n"
      "    media-color keyword white\n");
  VelmorXmlFile file(kMediaPrefsDocument, path.c_str(), nullptr, fake.Calls());
  file.WriteList(*list);
  StringOutput output;
  VelmorXmlDataStream(kMediaPrefsDocument, &output, nullptr).WriteList(*list);
  EXPECT_EQ(ReadFileBytes(path), output.text);
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);
  EXPECT_GT(fake.interrupted_calls, 0);
}

}  // namespace
}  // namespace ovrabjt

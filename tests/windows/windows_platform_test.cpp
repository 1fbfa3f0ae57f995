// The Windows platform layer on its own: Windows paths in the rules of
// what a document may read, the file layer's failures on Windows files,
// the replacement's fallback, long and non-ASCII names.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "other_program_hold.h"
#include "platform/code_page.h"
#include "platform/executable_path.h"
#include "platform/file.h"
#include "platform/file_calls_win.h"
#include "platform/path_syntax.h"
#include "platform/path_text.h"
#include "platform/replacement_file.h"
#include "support/attr_text.h"
#include "support/temp_folder.h"
#include "xml/document_reach.h"
#include "xml/local_entity_resolver.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

std::wstring Wide(const std::string& utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  return std::wstring(units.begin(), units.end());
}

TEST(WindowsLocalPathOf, TakesDrivesBothSlashesAndLongPrefixes) {
  struct Case {
    const char* name;
    std::u16string system_id;
    std::u16string base;
    std::optional<std::string> path;
  };
  const Case cases[] = {
      {"beside a drive base", u"ovra.dtd", u"C:\\drv\\job.xml", "C:\\drv\\ovra.dtd"},
      {"forward slashes", u"ovra.dtd", u"C:/drv/job.xml", "C:/drv/ovra.dtd"},
      {"subfolder, mixed", u"parts/c.ent", u"C:\\drv\\ovra.dtd", "C:\\drv\\parts/c.ent"},
      {"backslash subfolder", u"parts\\c.ent", u"C:/drv/ovra.dtd", "C:/drv/parts\\c.ent"},
      {"drive-relative is rooted", u"c:ovra.dtd", u"C:\\drv\\job.xml", "c:ovra.dtd"},
      {"absolute drive path", u"D:\\x\\ovra.dtd", u"C:\\drv\\job.xml", "D:\\x\\ovra.dtd"},
      {"root of the drive", u"\\x\\ovra.dtd", u"C:\\drv\\job.xml", "\\x\\ovra.dtd"},
      {"long prefix", u"\\\\?\\C:\\x\\o.dtd", u"C:\\drv\\job.xml", "\\\\?\\C:\\x\\o.dtd"},
      {"beside a long base", u"o.dtd", u"\\\\?\\C:\\drv\\job.xml", "\\\\?\\C:\\drv\\o.dtd"},
      {"base on a drive's folder", u"o.dtd", u"C:job.xml", "C:o.dtd"},
      {"drive letter is no scheme", u"c:/drv/o.dtd", u"", "c:/drv/o.dtd"},
      {"file url of a drive", u"file:///C:/drv/o.dtd", u"", "C:/drv/o.dtd"},
      {"file url of a drive, localhost", u"file://localhost/d:/o%20p.dtd", u"", "d:/o p.dtd"},
      {"relative to a drive's file url", u"o.dtd", u"file:///C:/drv/job.xml", "C:/drv/o.dtd"},
      {"a root path in a file url", u"file:///drv/o.dtd", u"", "/drv/o.dtd"},
      {"file url of a server", u"file://server/share/o.dtd", u"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LocalPathOf(c.system_id, c.base), c.path);
  }
}

TEST(WindowsReferenceKind, NamesTheNetworkAndDevicesWhereverTheyStand) {
  struct Case {
    const char* path;
    ReferenceKind kind;
  };
  const Case cases[] = {
      {"ovra.dtd", ReferenceKind::kRelative},
      {"parts\\c.ent", ReferenceKind::kRelative},
      {"parts/c.ent", ReferenceKind::kRelative},
      {"console.dtd", ReferenceKind::kRelative},
      {"COM0", ReferenceKind::kRelative},
      {"LPT10.ent", ReferenceKind::kRelative},
      {"nully.dtd", ReferenceKind::kRelative},
      {"C:\\x.dtd", ReferenceKind::kAbsolute},
      {"c:x.dtd", ReferenceKind::kAbsolute},
      {"\\x.dtd", ReferenceKind::kAbsolute},
      {"/x.dtd", ReferenceKind::kAbsolute},
      {"\\\\?\\C:\\x.dtd", ReferenceKind::kAbsolute},
      {"\\\\server\\share\\x.dtd", ReferenceKind::kNetwork},
      {"//server/share/x.dtd", ReferenceKind::kNetwork},
      {"\\/server\\share", ReferenceKind::kNetwork},
      {"\\\\?\\UNC\\server\\share\\x.dtd", ReferenceKind::kNetwork},
      {"\\\\?\\unc\\server\\share", ReferenceKind::kNetwork},
      {"NUL", ReferenceKind::kDevice},
      {"nul.dtd", ReferenceKind::kDevice},
      {"con", ReferenceKind::kDevice},
      {"parts\\COM1", ReferenceKind::kDevice},
      {"parts/aux.ent", ReferenceKind::kDevice},
      {"LPT9.ent", ReferenceKind::kDevice},
      {"PRN ", ReferenceKind::kDevice},
      {"CONOUT$", ReferenceKind::kDevice},
      {"C:\\drv\\nul", ReferenceKind::kDevice},
      {"\\\\.\\COM1", ReferenceKind::kDevice},
      {"\\\\.\\pipe\\x", ReferenceKind::kDevice},
      {"\\\\?\\C:\\drv\\con.dtd", ReferenceKind::kDevice},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KindOfReference(c.path), c.kind) << c.path;
  }
}

TEST(WindowsDocumentReach, RefusesTheNetworkDevicesAndAbsolutePaths) {
  const TempFolder root;
  fs::create_directories(FileSystemPath(root / "parts"));
  const DocumentReach reach = DocumentReach::Beside(root / "job.xml");
  const std::u16string job = Utf8ToUtf16(root / "job.xml");
  const std::u16string network = u"only local files are read, never over the network";
  const std::u16string device = u"only regular files are read, never a device";
  const std::u16string absolute =
      u"a file is named relative to the document, never by an absolute path";
  const std::u16string up =
      u"a file is read from the document's folder or below, never through \"..\"";
  struct Case {
    std::u16string reference;
    std::u16string refusal;  // empty: resolved
  };
  const Case cases[] = {
      {u"ovra.dtd", u""},
      {u"parts\\c.ent", u""},
      {u"parts/c.ent", u""},
      {u"\\\\server\\share\\ovra.dtd", network},
      {u"//server/share/ovra.dtd", network},
      {u"\\\\?\\UNC\\server\\share\\ovra.dtd", network},
      {u"file://server/share/ovra.dtd", network},
      {u"NUL", device},
      {u"con.dtd", device},
      {u"parts\\COM1", device},
      {u"\\\\.\\COM1", device},
      {u"\\\\.\\pipe\\ovra", device},
      {u"C:\\ovra.dtd", absolute},
      {u"c:ovra.dtd", absolute},
      {u"\\ovra.dtd", absolute},
      {u"\\\\?\\C:\\ovra.dtd", absolute},
      {u"..\\ovra.dtd", up},
      {u"parts\\..\\..\\ovra.dtd", up},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.reference));
    const DocumentReach::Resolution resolved = reach.Resolve(c.reference, job);
    EXPECT_EQ(resolved.refusal, c.refusal);
    if (c.refusal.empty()) {
      EXPECT_EQ(resolved.path, root.Path() + "/" + Utf16ToUtf8(c.reference));
    } else {
      EXPECT_FALSE(resolved.path.has_value());
    }
  }
}

// A second handle opened without sharing, as another program holds a file.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(::CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() { ::CloseHandle(handle_); }
  bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST(WindowsFileLayer, FailuresOfWindowsFilesSayWhatTheyAre) {
  const TempFolder root;
  WriteFileBytes(root / "held.xml", "previous");
  WriteFileBytes(root / "read-only.xml", "previous");
  ASSERT_TRUE(::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  fs::create_directories(FileSystemPath(root / "folder.xml"));
  const HeldFile held(root / "held.xml");
  ASSERT_TRUE(held.Held());

  struct Case {
    const char* what;
    std::string path;
    std::errc read;  // of File::OpenForReading; {} when it opens
    std::errc save;  // of ReplacementFile::Begin
  };
  const Case cases[] = {
      {"held without sharing", root / "held.xml", std::errc::device_or_resource_busy,
       std::errc::device_or_resource_busy},
      {"read-only", root / "read-only.xml", std::errc{}, std::errc::permission_denied},
      {"folder", root / "folder.xml", std::errc::is_a_directory, std::errc::is_a_directory},
      {"missing folder", root / "none/x.xml", std::errc::no_such_file_or_directory,
       std::errc::no_such_file_or_directory},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    File file;
    const std::error_code read = File::OpenForReading(c.path, file);
    if (c.read == std::errc{}) {
      EXPECT_FALSE(read) << read.message();
    } else {
      EXPECT_EQ(read, c.read) << read.message();
    }
    ReplacementFile save;
    const std::error_code begun = save.Begin(c.path);
    EXPECT_EQ(begun, c.save) << begun.message();
    EXPECT_FALSE(save.IsOpen());
  }
  ::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(root / "read-only.xml"), "previous");
  EXPECT_EQ(root.Entries(), (std::vector<std::string>{"folder.xml", "held.xml", "read-only.xml"}));
}

// The same files through the document files: each failure has its code, at
// once (15: cannot be opened, 14: no regular file, 17: cannot be created;
// 2: the parse of what was read failed).
TEST(WindowsFileLayer, DocumentFilesGiveEachFailureItsCode) {
  const TempFolder root;
  WriteFileBytes(root / "held.xml", "previous");
  WriteFileBytes(root / "read-only.xml", "previous");
  ASSERT_TRUE(::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_READONLY));
  fs::create_directories(FileSystemPath(root / "folder.xml"));
  auto held = std::make_unique<HeldFile>(root / "held.xml");
  ASSERT_TRUE(held->Held());
  const auto list = testing::ParseAttrText("job-name name Report\ncopies integer 2\n");
  const std::string base = OVRABJT_SOURCE_DIR "/data/ticket.xml";
  struct Case {
    const char* what;
    std::string path;
    int read;   // the code of reading the file
    int write;  // the code of writing it
  };
  const Case cases[] = {
      {"held without sharing", root / "held.xml", 15, 17},
      {"read-only, read as text that is no XML", root / "read-only.xml", 2, 17},
      {"folder", root / "folder.xml", 15, 17},
      {"device", "NUL", 14, 0},
  };
  const auto code_of = [](auto action) {
    try {
      action();
    } catch (const OvraParseException& error) {
      return static_cast<int>(error.code());
    }
    return 0;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AttrNodeList read;
    EXPECT_EQ(
        code_of([&] { VelmorXmlFile(kOvraDocument, c.path.c_str(), base.c_str()).Read(read); }),
        c.read);
    EXPECT_EQ(code_of([&] {
                VelmorXmlFile(kOvraDocument, c.path.c_str(), base.c_str()).WriteList(*list);
              }),
              c.write);
  }
  held.reset();
  ::SetFileAttributesW(Wide(root / "read-only.xml").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFileBytes(root / "held.xml"), "previous");
  EXPECT_EQ(ReadFileBytes(root / "read-only.xml"), "previous");
  EXPECT_EQ(root.Entries(), (std::vector<std::string>{"folder.xml", "held.xml", "read-only.xml"}));
}

// The same failures when another process holds the file without sharing:
// the file layer says the file is busy and the document files give their
// codes (15: cannot be opened, 17: cannot be created), each at once.
TEST(WindowsFileLayer, AFileAnotherProcessHoldsIsBusyAndGivesItsCodesAtOnce) {
  const TempFolder root;
  const std::string path = root / "held.xml";
  WriteFileBytes(path, "previous");
  testing::OtherProgramHold hold(Wide(path));
  ASSERT_TRUE(hold.Held());
  const auto list = testing::ParseAttrText("copies integer 2\n");
  const std::string base = OVRABJT_SOURCE_DIR "/data/ticket.xml";
  const auto code_of = [](auto action) {
    try {
      action();
    } catch (const OvraParseException& error) {
      return static_cast<int>(error.code());
    }
    return 0;
  };
  const auto start = std::chrono::steady_clock::now();
  File file;
  EXPECT_EQ(File::OpenForReading(path, file), std::errc::device_or_resource_busy);
  ReplacementFile save;
  EXPECT_EQ(save.Begin(path), std::errc::device_or_resource_busy);
  EXPECT_FALSE(save.IsOpen());
  AttrNodeList read;
  EXPECT_EQ(code_of([&] { VelmorXmlFile(kOvraDocument, path.c_str(), base.c_str()).Read(read); }),
            15);
  EXPECT_EQ(
      code_of([&] { VelmorXmlFile(kOvraDocument, path.c_str(), base.c_str()).WriteList(*list); }),
      17);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(hold.LetGo(), 0);
  EXPECT_EQ(ReadFileBytes(path), "previous");
  EXPECT_EQ(root.Entries(), std::vector<std::string>{"held.xml"});
}

TEST(WindowsFileLayer, ADeviceIsNoRegularFileAndIsWrittenDirectly) {
  File file;
  ASSERT_FALSE(File::OpenForReading("NUL", file));
  FileInfo info;
  ASSERT_FALSE(file.Status(info));
  EXPECT_EQ(info.kind, FileKind::kOther);
  ReplacementFile save;
  ASSERT_FALSE(save.Begin("NUL"));
  EXPECT_EQ(save.WorkingPath(), "NUL");
  EXPECT_FALSE(save.Write("bytes", 5));
  EXPECT_FALSE(save.Finish());
  EXPECT_FALSE(save.PutInPlace());
}

// Over MAX_PATH characters: the file layer adds the prefix that lifts the
// limit; a caller may give it too.
TEST(WindowsFileLayer, PathsLongerThanMaxPathAreSavedAndRead) {
  const TempFolder root;
  std::string folder = root.Path();
  while (folder.size() < 300) folder += "/" + std::string(60, 'f');
  ASSERT_TRUE(fs::create_directories(FileSystemPath(folder)));
  const std::string target = folder + "/job.xml";
  ASSERT_GT(target.size(), std::size_t{MAX_PATH});
  for (const std::string& path :
       {target, "\\\\?\\" + GenericUtf8(fs::absolute(FileSystemPath(target))).replace(0, 0, "")}) {
    SCOPED_TRACE(path.size());
    std::string spelled = path;
    if (spelled.rfind("\\\\?\\", 0) == 0) {
      for (char& c : spelled) c = c == '/' ? '\\' : c;
    }
    ReplacementFile save;
    ASSERT_FALSE(save.Begin(spelled));
    ASSERT_FALSE(save.Write("long", 4));
    ASSERT_FALSE(save.Finish());
    ASSERT_FALSE(save.PutInPlace());
    File file;
    ASSERT_FALSE(File::OpenForReading(spelled, file));
    char bytes[8] = {};
    std::size_t got = 0;
    ASSERT_FALSE(file.Read(bytes, sizeof bytes, got));
    EXPECT_EQ(std::string(bytes, got), "long");
  }
}

// ReplaceFileW keeps the previous file's attributes; where it fails, the
// temporary file is moved over the target instead, and when that fails too
// the previous file stays as it was.
TEST(WindowsReplacement, FallsBackToAMoveAndKeepsThePreviousFileWhenBothFail) {
  static int replaces = 0;
  static bool move_fails = false;
  FileSystemCalls calls = SystemFileCalls();
  calls.replace = [](const wchar_t*, const wchar_t*) -> BOOL {
    ++replaces;
    ::SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return FALSE;
  };
  static BOOL (*const system_move)(const wchar_t*, const wchar_t*, DWORD) = SystemFileCalls().move;
  calls.move = [](const wchar_t* from, const wchar_t* to, DWORD flags) -> BOOL {
    if (move_fails) {
      ::SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    return system_move(from, to, flags);
  };
  const TempFolder root;
  const std::string target = root / "job.xml";
  struct Case {
    bool move_fails;
    const char* after;
  };
  for (const Case c : {Case{false, "new"}, Case{true, "previous"}}) {
    SCOPED_TRACE(c.move_fails);
    WriteFileBytes(target, "previous");
    move_fails = c.move_fails;
    replaces = 0;
    ReplacementFile save;
    ASSERT_FALSE(save.Begin(target, calls));
    ASSERT_FALSE(save.Write("new", 3));
    ASSERT_FALSE(save.Finish());
    const std::error_code placed = save.PutInPlace();
    EXPECT_EQ(bool(placed), c.move_fails);
    EXPECT_EQ(replaces, 1);
    save.Discard();
    EXPECT_EQ(ReadFileBytes(target), c.after);
    EXPECT_EQ(root.Entries(), std::vector<std::string>{"job.xml"});
  }
}

TEST(WindowsReplacement, KeepsThePreviousFilesAttributes) {
  const TempFolder root;
  const std::string target = root / "job.xml";
  WriteFileBytes(target, "previous");
  ASSERT_TRUE(::SetFileAttributesW(Wide(target).c_str(), FILE_ATTRIBUTE_HIDDEN));
  ReplacementFile save;
  ASSERT_FALSE(save.Begin(target));
  ASSERT_FALSE(save.Write("new", 3));
  ASSERT_FALSE(save.Finish());
  ASSERT_FALSE(save.PutInPlace());
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_NE(::GetFileAttributesW(Wide(target).c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

// A killed save's leftover, unchanged for a minute, goes with the next save
// of its target; a living writer's and a fresh one stay.
TEST(WindowsReplacement, RemovesOnlyStaleUnheldTemporaries) {
  const TempFolder root;
  const std::string target = root / "job.xml";
  const std::string stale = root / ".job.xml.ovrabjt-0123456789abcdef.tmp";
  const std::string fresh = root / ".job.xml.ovrabjt-fedcba9876543210.tmp";
  const std::string held = root / ".job.xml.ovrabjt-00000000000000aa.tmp";
  const std::string other = root / ".other.xml.ovrabjt-0123456789abcdef.tmp";
  for (const std::string& name : {stale, fresh, held, other}) WriteFileBytes(name, "left");
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER old{};
  old.LowPart = now.dwLowDateTime;
  old.HighPart = now.dwHighDateTime;
  old.QuadPart -= 120ull * 10'000'000ull;  // two minutes ago
  const FILETIME before{old.LowPart, old.HighPart};
  for (const std::string& name : {stale, held, other}) {
    const HANDLE file = ::CreateFileW(Wide(name).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(::SetFileTime(file, nullptr, nullptr, &before));
    ::CloseHandle(file);
  }
  // Its writer shares it for reading only.
  const HANDLE writer = ::CreateFileW(Wide(held).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  ReplacementFile save;
  ASSERT_FALSE(save.Begin(target));
  ASSERT_FALSE(save.Write("new", 3));
  ASSERT_FALSE(save.Finish());
  ASSERT_FALSE(save.PutInPlace());
  ::CloseHandle(writer);
  EXPECT_EQ(root.Entries(),
            (std::vector<std::string>{".job.xml.ovrabjt-00000000000000aa.tmp",
                                      ".job.xml.ovrabjt-fedcba9876543210.tmp",
                                      ".other.xml.ovrabjt-0123456789abcdef.tmp", "job.xml"}));
}

// The ANSI code page is Wine's default, 1252: é is the byte 0xE9 there.
TEST(WindowsPathText, NarrowNamesAreTextInTheAnsiCodePage) {
  ASSERT_EQ(::GetACP(), 1252u);
  EXPECT_EQ(NarrowPathToUtf8("caf\xE9\\\x80.xml"), "caf\xC3\xA9\\\xE2\x82\xAC.xml");
  EXPECT_EQ(NarrowPathToUtf8("plain/ascii.xml"), "plain/ascii.xml");
  EXPECT_EQ(NarrowPathToUtf8(""), "");
  const TempFolder root;
  const std::string name = root / NarrowPathToUtf8("caf\xE9.xml");
  File written;
  ASSERT_FALSE(File::OpenForWriting(name, WriteMode::kCreateNew, written));
  ASSERT_FALSE(written.Write("text", 4));
  ASSERT_FALSE(written.Close());
  const std::wstring wide = Wide(root.Path()) + L"/caf\u00E9.xml";
  EXPECT_NE(::GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  File file;
  EXPECT_FALSE(File::OpenForReading(name, file));
}

TEST(WindowsExecutablePath, NamesTheRunningProgramsOwnFile) {
  const std::optional<std::string> path = ExecutablePath();
  ASSERT_TRUE(path.has_value());
  const fs::path file = FileSystemPath(*path);
  EXPECT_TRUE(file.is_absolute()) << *path;
  EXPECT_EQ(file.filename(), "windows_platform_tests.exe");
  EXPECT_TRUE(fs::is_regular_file(file));
}

}  // namespace
}  // namespace ovrabjt

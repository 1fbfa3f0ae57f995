#include "platform/file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "support/fake_file_system.h"
#include "support/temp_folder.h"

namespace ovrabjt {
namespace {

using testing::FakeFileSystem;
using testing::ReadFileBytes;
using testing::TempFolder;
using testing::WriteFileBytes;

const std::string kText = "0123456789abcdefghijklmnopqrstuvwxyz";

mode_t CurrentUmask() {
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

TEST(FileTest, ReadsWholeFileThroughShortAndInterruptedReads) {
  TempFolder folder;
  WriteFileBytes(folder / "in", kText);
  FakeFileSystem fake;
  fake.max_transfer = 5;
  fake.interrupt = true;
  File file;
  ASSERT_FALSE(File::OpenForReading(folder / "in", file, fake.Calls()));
  std::uint64_t size = 0;
  ASSERT_FALSE(file.Size(size));
  EXPECT_EQ(size, kText.size());
  std::string buffer(kText.size() + 4, '\0');
  std::size_t got = 0;
  EXPECT_FALSE(file.Read(buffer.data(), buffer.size(), got));
  EXPECT_EQ(got, kText.size());  // the end of the file stops it
  EXPECT_EQ(buffer.substr(0, got), kText);
  EXPECT_GT(fake.interrupted_calls, 5);
}

TEST(FileTest, OpeningForReadingNeedsAnExistingFile) {
  TempFolder folder;
  File file;
  EXPECT_EQ(File::OpenForReading(folder / "missing", file), std::errc::no_such_file_or_directory);
  EXPECT_EQ(File::OpenForReading(folder.Path(), file), std::errc::is_a_directory);
  EXPECT_EQ(File::OpenForReading(std::string("a\0b", 3), file), std::errc::invalid_argument);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_TRUE(folder.Entries().empty());
}

// The status read with the opening is the one Status reads; one that cannot
// be read leaves the file open and the status for Status to fail on.
TEST(FileTest, OpeningForReadingTellsTheStatusItRead) {
  TempFolder folder;
  WriteFileBytes(folder / "in", kText);
  File file;
  std::optional<FileInfo> opened;
  ASSERT_FALSE(File::OpenForReading(folder / "in", file, SystemFileCalls(), &opened));
  ASSERT_TRUE(opened.has_value());
  FileInfo now;
  ASSERT_FALSE(file.Status(now));
  EXPECT_EQ(opened->kind, FileKind::kRegular);
  EXPECT_EQ(opened->size, kText.size());
  EXPECT_EQ(opened->permissions, now.permissions);

  FakeFileSystem fake;
  fake.fstat_errno = EIO;
  File unknown;
  std::optional<FileInfo> none;
  ASSERT_FALSE(File::OpenForReading(folder / "in", unknown, fake.Calls(), &none));
  EXPECT_TRUE(unknown.IsOpen());
  EXPECT_FALSE(none.has_value());
  EXPECT_EQ(unknown.Status(now), std::errc::io_error);
}

TEST(FileTest, WritesEverythingThroughShortAndInterruptedWrites) {
  TempFolder folder;
  FakeFileSystem fake;
  fake.max_transfer = 3;
  fake.interrupt = true;
  File file;
  ASSERT_FALSE(File::OpenForWriting(folder / "out", WriteMode::kCreateNew, file, fake.Calls()));
  EXPECT_FALSE(file.Write(kText.data(), kText.size()));
  EXPECT_FALSE(file.Sync());
  EXPECT_FALSE(file.Close());
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadFileBytes(folder / "out"), kText);
  EXPECT_EQ(fake.bytes_written, kText.size());
  EXPECT_EQ(fake.write_calls, 24);  // 12 transfers, each after an interruption
}

TEST(FileTest, WriteFailuresAreReportedNotRepeated) {
  TempFolder folder;
  {
    FakeFileSystem fake;
    fake.write_errno = ENOSPC;
    fake.write_fails_after = 10;
    fake.max_transfer = 4;
    File file;
    ASSERT_FALSE(File::OpenForWriting(folder / "full", WriteMode::kCreateNew, file, fake.Calls()));
    EXPECT_EQ(file.Write(kText.data(), kText.size()), std::errc::no_space_on_device);
    EXPECT_EQ(fake.bytes_written, 12u);
  }
  {
    FakeFileSystem fake;
    fake.write_stalls_after = 0;
    File file;
    ASSERT_FALSE(
        File::OpenForWriting(folder / "stalled", WriteMode::kCreateNew, file, fake.Calls()));
    EXPECT_EQ(file.Write(kText.data(), kText.size()), std::errc::no_space_on_device);
    EXPECT_EQ(fake.write_calls, 1);
  }
}

TEST(FileTest, WriteModesCreateTruncateOrKeep) {
  TempFolder folder;
  const std::string path = folder / "file";
  File file;
  EXPECT_EQ(File::OpenForWriting(path, WriteMode::kExistingOnly, file),
            std::errc::no_such_file_or_directory);
  EXPECT_TRUE(folder.Entries().empty());

  ASSERT_FALSE(File::OpenForWriting(path, WriteMode::kCreateNew, file));
  ASSERT_FALSE(file.Write(kText.data(), kText.size()));
  ASSERT_FALSE(file.Close());
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0666 & ~CurrentUmask());

  EXPECT_EQ(File::OpenForWriting(path, WriteMode::kCreateNew, file), std::errc::file_exists);
  ASSERT_FALSE(File::OpenForWriting(path, WriteMode::kExistingOnly, file));
  ASSERT_FALSE(file.Write("AB", 2));
  ASSERT_FALSE(file.Close());
  EXPECT_EQ(ReadFileBytes(path), "AB" + kText.substr(2));

  ASSERT_FALSE(File::OpenForWriting(path, WriteMode::kCreateOrTruncate, file));
  std::uint64_t size = 99;
  ASSERT_FALSE(file.Size(size));
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(File::OpenForWriting(folder / "no-folder/file", WriteMode::kCreateOrTruncate, file),
            std::errc::no_such_file_or_directory);
}

TEST(FileTest, DeleteRenameAndHeap) {
  TempFolder folder;
  WriteFileBytes(folder / "a", "first");
  WriteFileBytes(folder / "b", "second");
  EXPECT_FALSE(RenameFile(folder / "a", folder / "b"));
  EXPECT_EQ(ReadFileBytes(folder / "b"), "first");
  EXPECT_EQ(RenameFile(folder / "a", folder / "c"), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(DeleteFile(folder / "b"));
  EXPECT_EQ(DeleteFile(folder / "b"), std::errc::no_such_file_or_directory);
  EXPECT_TRUE(folder.Entries().empty());

  HeapBuffer empty = AllocateZeroed(0);
  ASSERT_NE(empty, nullptr);
  HeapBuffer block = AllocateZeroed(4096);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(block.get(), 4096), std::string(4096, '\0'));
  FakeFileSystem fake;
  fake.heap_empty = true;
  EXPECT_EQ(AllocateZeroed(16, fake.Calls()), nullptr);
}

// Opening never waits for a pipe's other end; what was opened says what it
// is, so that a pipe or a device is not read as a file.
TEST(FileTest, PipesOpenWithoutWaitingAndSayWhatTheyAre) {
  TempFolder folder;
  const std::string pipe = folder / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  WriteFileBytes(folder / "plain", kText);
  const struct {
    const char* what;
    std::string path;
    FileKind kind;
    std::uint64_t size;
  } cases[] = {
      {"a pipe without a writer", pipe, FileKind::kOther, 0},
      {"a device", "/dev/null", FileKind::kOther, 0},
      {"a regular file", folder / "plain", FileKind::kRegular, kText.size()},
  };
  for (const auto& c : cases) {
    File file;
    ASSERT_FALSE(File::OpenForReading(c.path, file)) << c.what;
    FileInfo info;
    ASSERT_FALSE(file.Status(info)) << c.what;
    EXPECT_EQ(info.kind, c.kind) << c.what;
    EXPECT_EQ(info.size, c.size) << c.what;
  }
  File file;
  EXPECT_EQ(File::OpenForWriting(pipe, WriteMode::kExistingOnly, file),
            std::errc::no_such_device_or_address);
  EXPECT_FALSE(file.IsOpen());
}

// The bits a new file gets are read, not set: the umask stays as it was.
TEST(FileTest, DefaultPermissionsFollowTheUmask) {
  for (mode_t mask : {000, 002, 022, 027, 077, 0777}) {
    const mode_t previous = ::umask(mask);
    EXPECT_EQ(DefaultPermissions(), 0666u & ~mask) << std::oct << mask;
    EXPECT_EQ(::umask(previous), mask);
  }
  TempFolder folder;
  File file;
  ASSERT_FALSE(File::OpenForWriting(folder / "private", WriteMode::kCreatePrivate, file));
  struct stat info {};
  ASSERT_EQ(::stat((folder / "private").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600 & ~CurrentUmask());
  EXPECT_EQ(File::OpenForWriting(folder / "private", WriteMode::kCreatePrivate, file),
            std::errc::file_exists);
}

TEST(FileTest, OneOpenAtATimeHoldsTheLock) {
  TempFolder folder;
  const std::string path = folder / "locked";
  WriteFileBytes(path, kText);
  File first, second;
  ASSERT_FALSE(File::OpenForWriting(path, WriteMode::kExistingOnly, first));
  ASSERT_FALSE(File::OpenForReading(path, second));
  EXPECT_FALSE(first.TryLock());
  EXPECT_EQ(second.TryLock(), std::errc::operation_would_block);
  ASSERT_FALSE(first.Close());
  EXPECT_FALSE(second.TryLock());
  EXPECT_EQ(File().TryLock(), std::errc::bad_file_descriptor);
}

}  // namespace
}  // namespace ovrabjt

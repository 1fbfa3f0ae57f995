#include "platform/replacement_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

const std::string kPrevious = "previous contents\n";
const std::string kNew = "new contents, longer than before\n";

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(ReplacementFileTest, TargetChangesOnlyWhenPutInPlace) {
  TempFolder folder;
  const std::string target = folder / "ticket.xml";
  WriteFileBytes(target, kPrevious);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

  ReplacementFile file;
  ASSERT_FALSE(file.Begin(target));
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  EXPECT_EQ(ReadFileBytes(target), kPrevious);
  // The temporary file lies beside the target, hidden.
  const std::vector<std::string> entries = folder.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].rfind(".ticket.xml.", 0), 0u) << entries[0];
  EXPECT_EQ(folder / entries[0], file.WorkingPath());

  ASSERT_FALSE(file.Finish());
  EXPECT_EQ(ReadFileBytes(target), kPrevious);
  ASSERT_FALSE(file.PutInPlace());
  EXPECT_EQ(ReadFileBytes(target), kNew);
  EXPECT_EQ(ModeOf(target), 0640u);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});
  EXPECT_TRUE(file.WorkingPath().empty());
}

TEST(ReplacementFileTest, DiscardLeavesThePreviousFileAndNoTrace) {
  TempFolder folder;
  const std::string target = folder / "ticket.xml";
  WriteFileBytes(target, kPrevious);
  {
    ReplacementFile file;
    ASSERT_FALSE(file.Begin(target));
    ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
    file.Discard();
    EXPECT_FALSE(file.IsOpen());
  }
  {
    ReplacementFile abandoned;  // destroyed without being put in place
    ASSERT_FALSE(abandoned.Begin(target));
    ASSERT_FALSE(abandoned.Write(kNew.data(), kNew.size()));
  }
  EXPECT_EQ(ReadFileBytes(target), kPrevious);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});
}

TEST(ReplacementFileTest, NewFileGetsTheUsualPermissions) {
  TempFolder folder;
  const mode_t mask = ::umask(022);
  ReplacementFile file;
  ASSERT_FALSE(file.Begin(folder / "new.xml"));
  ::umask(mask);
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  ASSERT_FALSE(file.Finish());
  ASSERT_FALSE(file.PutInPlace());
  EXPECT_EQ(ReadFileBytes(folder / "new.xml"), kNew);
  EXPECT_EQ(ModeOf(folder / "new.xml"), 0644u);
}

TEST(ReplacementFileTest, SymbolicLinkStaysAndItsFileIsReplaced) {
  TempFolder folder;
  WriteFileBytes(folder / "real.xml", kPrevious);
  ASSERT_EQ(::symlink("real.xml", (folder / "link.xml").c_str()), 0);
  ReplacementFile file;
  ASSERT_FALSE(file.Begin(folder / "link.xml"));
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  ASSERT_FALSE(file.Finish());
  ASSERT_FALSE(file.PutInPlace());
  struct stat info {};
  ASSERT_EQ(::lstat((folder / "link.xml").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(ReadFileBytes(folder / "real.xml"), kNew);
}

TEST(ReplacementFileTest, RefusedTargetsLeaveNothingBehind) {
  TempFolder folder;
  ::mkdir((folder / "sub").c_str(), 0755);
  WriteFileBytes(folder / "plain", kPrevious);
  const struct {
    std::string target;
    std::errc error;
  } cases[] = {
      {folder / "missing/ticket.xml", std::errc::no_such_file_or_directory},
      {folder / "plain/ticket.xml", std::errc::not_a_directory},
      {folder / "sub", std::errc::is_a_directory},
      {"", std::errc::no_such_file_or_directory},
  };
  for (const auto& c : cases) {
    ReplacementFile file;
    EXPECT_EQ(file.Begin(c.target), c.error) << c.target;
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"plain", "sub"}));
}

TEST(ReplacementFileTest, FailuresOfTheSystemKeepThePreviousFile) {
  TempFolder folder;
  const std::string target = folder / "ticket.xml";
  WriteFileBytes(target, kPrevious);
  FakeFileSystem fake;
  ReplacementFile file;

  fake.open_errno = EACCES;  // the folder or the file refuses writing
  EXPECT_EQ(file.Begin(target, fake.Calls()), std::errc::permission_denied);
  fake.open_errno = 0;

  fake.fsync_errno = EIO;
  ASSERT_FALSE(file.Begin(target, fake.Calls()));
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  EXPECT_EQ(file.Finish(), std::errc::io_error);
  file.Discard();
  fake.fsync_errno = 0;

  fake.rename_errno = EXDEV;
  ASSERT_FALSE(file.Begin(target, fake.Calls()));
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  ASSERT_FALSE(file.Finish());
  EXPECT_EQ(file.PutInPlace(), std::errc::cross_device_link);
  file.Discard();

  EXPECT_EQ(ReadFileBytes(target), kPrevious);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});
}

// A pipe has no contents to keep: it is written, never replaced.
TEST(ReplacementFileTest, PipeIsWrittenDirectly) {
  TempFolder folder;
  const std::string pipe = folder / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ReplacementFile file;
  ASSERT_FALSE(file.Begin(pipe));
  EXPECT_EQ(file.WorkingPath(), pipe);
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  ASSERT_FALSE(file.Finish());
  ASSERT_FALSE(file.PutInPlace());
  std::string received(kNew.size() + 8, '\0');
  const ssize_t got = ::read(reader, received.data(), received.size());
  ::close(reader);
  ASSERT_EQ(got, static_cast<ssize_t>(kNew.size()));
  EXPECT_EQ(received.substr(0, kNew.size()), kNew);
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"pipe"});
}

}  // namespace
}  // namespace ovrabjt

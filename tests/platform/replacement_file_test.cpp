#include "platform/replacement_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace ovrabjt {
namespace {

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

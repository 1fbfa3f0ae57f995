#include "platform/replacement_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/temporary_name.h"
#include "support/fake_file_system.h"
#include "support/killed_save.h"
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
  EXPECT_TRUE(IsTemporaryName(entries[0], "ticket.xml")) << entries[0];

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

// Sets the umask while it lives.
class Umask {
 public:
  explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
  Umask(const Umask&) = delete;
  Umask& operator=(const Umask&) = delete;
  ~Umask() { ::umask(previous_); }

 private:
  mode_t previous_;
};

// Nobody else may read the new contents before they are complete: the
// temporary file is created readable by its owner only and takes its final
// permissions just before it replaces the target.
TEST(ReplacementFileTest, TemporaryFileIsPrivateUntilItIsComplete) {
  const struct {
    const char* what;
    int previous;  // the target's permission bits; -1 for no target
    mode_t umask;
    mode_t final_mode;
  } cases[] = {
      {"over a file of rw-r-----", 0640, 022, 0640}, {"over a file of rw----r--", 0604, 077, 0604},
      {"a new file, umask 022", -1, 022, 0644},      {"a new file, umask 077", -1, 077, 0600},
      {"a new file, umask 002", -1, 002, 0664},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string target = folder / "ticket.xml";
    if (c.previous >= 0) {
      WriteFileBytes(target, kPrevious);
      ASSERT_EQ(::chmod(target.c_str(), static_cast<mode_t>(c.previous)), 0);
    }
    const Umask mask(c.umask);
    FakeFileSystem fake;
    ReplacementFile file;
    ASSERT_FALSE(file.Begin(target, fake.Calls()));
    ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
    EXPECT_EQ(fake.create_modes, std::vector<mode_t>{0600});
    EXPECT_EQ(ModeOf(file.WorkingPath()), 0600u & ~c.umask);
    ASSERT_FALSE(file.Finish());
    ASSERT_FALSE(file.PutInPlace());
    EXPECT_EQ(ModeOf(target), c.final_mode);
    EXPECT_EQ(ReadFileBytes(target), kNew);
  }
}

// The rename reaches the disk too: the folder is synced after it, and only
// a folder that cannot be synced at all is no failure.
TEST(ReplacementFileTest, FolderIsSyncedAfterTheRename) {
  const struct {
    const char* what;
    int folder_errno;
    int result;  // the error PutInPlace gives; 0 for none
  } cases[] = {
      {"the folder syncs", 0, 0},
      {"the file system cannot sync folders", EINVAL, 0},
      {"the device fails", EIO, EIO},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string target = folder / "ticket.xml";
    WriteFileBytes(target, kPrevious);
    FakeFileSystem fake;
    fake.fsync_folder_errno = c.folder_errno;
    ReplacementFile file;
    ASSERT_FALSE(file.Begin(target, fake.Calls()));
    ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
    ASSERT_FALSE(file.Finish());
    EXPECT_EQ(file.PutInPlace().value(), c.result);
    EXPECT_TRUE(file.Replaced());
    EXPECT_EQ(fake.events,
              (std::vector<std::string>{"create", "fsync file", "rename", "fsync folder"}));
    EXPECT_EQ(ReadFileBytes(target), kNew);  // in place, whatever the sync said
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"ticket.xml"});
  }
}

// A child that holds the lock of `path` until it is killed, as a live
// writer holds its temporary file's.
class LockHolder {
 public:
  explicit LockHolder(const std::string& path) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    child_ = ::fork();
    if (child_ == 0) {
      const int fd = ::open(path.c_str(), O_RDWR);
      const char byte = 1;
      if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], &byte, 1) != 1) ::_exit(1);
      for (;;) ::pause();
    }
    char byte = 0;
    locked_ = child_ > 0 && ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
  }
  LockHolder(const LockHolder&) = delete;
  LockHolder& operator=(const LockHolder&) = delete;
  ~LockHolder() {
    if (child_ > 0) {
      ::kill(child_, SIGKILL);
      ::waitpid(child_, nullptr, 0);
    }
  }
  bool Locked() const { return locked_; }

 private:
  pid_t child_ = -1;
  bool locked_ = false;
};

// A save removes the temporary files that killed saves of its target left,
// and nothing else: not other targets' files, not files that only look
// alike, not links or folders of that name, not recent files and not files
// whose writer still holds them.
TEST(ReplacementFileTest, SaveRemovesOnlyWhatKilledSavesOfItsTargetLeft) {
  TempFolder folder;
  const std::string target = folder / "ticket.xml";
  WriteFileBytes(target, kPrevious);
  const std::string killed = testing::LeftByKilledSave(target);
  ASSERT_EQ(folder.Entries().size(), 2u);  // the target and the killed save's file
  testing::AgeFile(killed);

  const std::string other_target = TemporaryName("ticket.xml.bak", 1);
  const std::string locked = TemporaryName("ticket.xml", 2);
  const std::string recent = TemporaryName("ticket.xml", 3);
  const std::string link = TemporaryName("ticket.xml", 4);
  const std::string sub_folder = TemporaryName("ticket.xml", 5);
  // (Which names are of the pattern is the names' own test's.)
  const std::vector<std::string> look_alike = {
      ".ticket.xml.ovrabjt-0123456789ABCDEF.tmp",  // upper-case digits
      ".ticket.xml.12ab-34cd-0.tmp",               // an older kind of name
      other_target,
      locked,
      recent,
  };
  for (const std::string& name : look_alike) WriteFileBytes(folder / name, "keep");
  WriteFileBytes(folder / "elsewhere", "keep");
  ASSERT_EQ(::symlink("elsewhere", (folder / link).c_str()), 0);
  ASSERT_EQ(::mkdir((folder / sub_folder).c_str(), 0700), 0);
  for (const std::string& name : look_alike) {
    if (name != recent) testing::AgeFile(folder / name);
  }
  testing::AgeFile(folder / link);
  testing::AgeFile(folder / sub_folder);
  const LockHolder holder(folder / locked);
  ASSERT_TRUE(holder.Locked());

  ReplacementFile file;
  ASSERT_FALSE(file.Begin(target));
  ASSERT_FALSE(file.Write(kNew.data(), kNew.size()));
  ASSERT_FALSE(file.Finish());
  ASSERT_FALSE(file.PutInPlace());
  EXPECT_EQ(ReadFileBytes(target), kNew);

  std::vector<std::string> expected = look_alike;
  expected.insert(expected.end(), {"elsewhere", link, sub_folder, "ticket.xml"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder.Entries(), expected);
  for (const std::string& name : look_alike) EXPECT_EQ(ReadFileBytes(folder / name), "keep");
}

}  // namespace
}  // namespace ovrabjt

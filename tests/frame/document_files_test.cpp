// What the exports do with the files a hostile folder offers: pipes, huge
// files, names of the longest length, temporary files that killed saves
// left, and a watcher that opens every new file of the folder. Every
// conversion goes through the shared library.
#include <ovrabjt/ovrabjt.h>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "support/killed_save.h"
#include "support/packed_from_document.h"
#include "support/temp_folder.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "support/time_bound.h"
#include "ticket/packing.h"

namespace {

using Clock = std::chrono::steady_clock;
using ovrabjt::test::PackedFromDocument;
using ovrabjt::test::TextOutput;
using ovrabjt::testing::AgeFile;
using ovrabjt::testing::LeftByKilledSave;
using ovrabjt::testing::ReadFileBytes;
using ovrabjt::testing::TempFolder;
using ovrabjt::testing::WriteFileBytes;
using Packed = std::vector<std::uint8_t>;

const std::string& kBase = ovrabjt::test::kTicketBase;
const std::u16string& kBase16 = ovrabjt::test::kTicketBase16;

std::string DocumentOf(const Packed& packed) {
  TextOutput out;
  EXPECT_EQ(ConvertBJTToOvraStream(kBase16.c_str(), packed.data(), &out), 1);
  return out.text;
}

Packed MaximalPacked() {
  const auto record = ovrabjt::testing::MaximalTicket();
  std::uint32_t size = 0;
  EXPECT_TRUE(ovrabjt::PackTicket(nullptr, *record, &size));
  Packed packed(size);
  EXPECT_TRUE(ovrabjt::PackTicket(packed.data(), *record, nullptr));
  return packed;
}

// A media-preferences list with a stock, for the saves that release it on
// failure.
AttrNodeList* SomePreferences() {
  AttrNodeList* list = CreateEmptyMPSContents();
  MediaRecord medium{};
  std::strcpy(medium.description, "plain");
  AddStockToMPSContents(list, 2, &medium);
  return list;
}

std::chrono::milliseconds Within(int milliseconds) {
  return ovrabjt::test::TimeBound(std::chrono::milliseconds(milliseconds));
}

// The other end of a pipe, opened only if the call under test is still
// waiting after `patience`: then the call returns, late, instead of
// blocking the test for ever. A writer end closes at once (the reader sees
// the end of the file); a reader end reads until the writer closes.
class LatePeer {
 public:
  LatePeer(const std::string& pipe, bool writer, std::chrono::milliseconds patience)
      : thread_([this, pipe, writer, patience] {
          std::unique_lock lock(mutex_);
          if (done_changed_.wait_for(lock, patience, [this] { return done_; })) return;
          lock.unlock();
          opened_ = true;
          const int fd = ::open(pipe.c_str(), writer ? O_WRONLY : O_RDONLY);
          char buffer[4096];
          while (!writer && fd >= 0 && ::read(fd, buffer, sizeof buffer) > 0) {
          }
          if (fd >= 0) ::close(fd);
        }) {}
  LatePeer(const LatePeer&) = delete;
  LatePeer& operator=(const LatePeer&) = delete;
  ~LatePeer() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    done_changed_.notify_all();
    thread_.join();
  }
  // Whether the call had to be released.
  bool Opened() const { return opened_; }

 private:
  std::mutex mutex_;
  std::condition_variable done_changed_;
  bool done_ = false;
  std::atomic<bool> opened_{false};
  std::thread thread_;
};

// A pipe with nobody at its other end is refused at once, for reading and
// for writing; a save into a pipe that is read goes straight to its reader.
TEST(DocumentFiles, PipesAreRefusedAtOnceOrWrittenToTheirReader) {
  TempFolder folder;
  const std::string pipe = folder / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const Packed example = PackedFromDocument(ovrabjt::test::kExampleTicket);
  ASSERT_FALSE(example.empty());
  const struct {
    const char* what;
    bool writes;                 // the call opens the pipe for writing
    std::function<bool()> call;  // true when the call succeeded
  } cases[] = {
      {"LoadOvra", false,
       [&] {
         void* block = nullptr;
         std::uint32_t size = 0;
         return LoadOvra(pipe.c_str(), kBase.c_str(), nullptr, &block, &size) != 0;
       }},
      {"GetMediaPreferenceInfofromFile", false,
       [&] {
         AttrNodeList* list = GetMediaPreferenceInfofromFile(pipe.c_str());
         ReleaseOvraBjtANL(list);
         return list != nullptr;
       }},
      {"SaveOvra", true,
       [&] { return SaveOvra(pipe.c_str(), kBase.c_str(), example.data()) != 0; }},
      {"SaveMPSContentstoFile", true,
       [&] {
         AttrNodeList* list = SomePreferences();
         const bool saved = SaveMPSContentstoFile(list, pipe.c_str()) != 0;
         if (saved) ReleaseOvraBjtANL(list);
         return saved;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const LatePeer peer(pipe, !c.writes, Within(3000));
    const auto start = Clock::now();
    EXPECT_FALSE(c.call());
    EXPECT_FALSE(peer.Opened()) << "the call waited for the pipe's other end";
    EXPECT_LT(Clock::now() - start, Within(2000));
  }
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"pipe"});

  // With a reader, the document goes to it; nothing else is made.
  const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  ASSERT_EQ(SaveOvra(pipe.c_str(), kBase.c_str(), example.data()), 1);
  std::string received(1 << 16, '\0');
  const ssize_t got = ::read(reader, received.data(), received.size());
  ::close(reader);
  ASSERT_GT(got, 0);
  received.resize(static_cast<std::size_t>(got));
  EXPECT_EQ(received, DocumentOf(example));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"pipe"});
  // A device is written directly too, and never read as a document.
  EXPECT_EQ(SaveOvra("/dev/null", kBase.c_str(), example.data()), 1);
  void* block = nullptr;
  std::uint32_t size = 0;
  EXPECT_EQ(LoadOvra("/dev/zero", kBase.c_str(), nullptr, &block, &size), 0);
  EXPECT_EQ(GetMediaPreferenceInfofromFile("/dev/zero"), nullptr);
  AttrNodeList* list = SomePreferences();
  EXPECT_EQ(SaveMPSContentstoFile(list, "/dev/null"), 1);
  ReleaseOvraBjtANL(list);
}

// A document file larger than 64 MiB is refused from its size alone: a
// sparse file of 2 GiB costs neither the time to read it nor the memory.
TEST(DocumentFiles, FilesLargerThanTheBoundAreRefusedWithoutReading) {
  TempFolder folder;
  for (const std::uint64_t size : {(std::uint64_t{64} << 20) + 1, std::uint64_t{2} << 30}) {
    SCOPED_TRACE(size);
    const std::string huge = folder / "huge.xml";
    WriteFileBytes(huge, "<?xml version=\"1.0\"?>\n<ovra>");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(size)), 0);
    const auto start = Clock::now();
    void* block = reinterpret_cast<void*>(0x1234);
    std::uint32_t block_size = 7;
    EXPECT_EQ(LoadOvra(huge.c_str(), kBase.c_str(), nullptr, &block, &block_size), 0);
    EXPECT_EQ(block, reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(GetMediaPreferenceInfofromFile(huge.c_str()), nullptr);
    EXPECT_LT(Clock::now() - start, Within(500));
  }
}

// Target names up to 255 bytes, the longest a file name may be, are saved
// and read back; nothing else stays in the folder.
TEST(DocumentFiles, LongestFileNamesAreSavedAndRead) {
  TempFolder folder;
  const Packed example = PackedFromDocument(ovrabjt::test::kExampleTicket);
  ASSERT_FALSE(example.empty());
  for (std::size_t length : {240u, 250u, 255u}) {
    SCOPED_TRACE(length);
    const std::string ticket = folder / (std::string(length - 4, 't') + ".xml");
    ASSERT_EQ(SaveOvra(ticket.c_str(), kBase.c_str(), example.data()), 1);
    EXPECT_EQ(PackedFromDocument(ticket), example);
    const std::string prefs = folder / std::string(length, 'p');
    AttrNodeList* list = SomePreferences();
    ASSERT_EQ(SaveMPSContentstoFile(list, prefs.c_str()), 1);
    ReleaseOvraBjtANL(list);
    AttrNodeList* back = GetMediaPreferenceInfofromFile(prefs.c_str());
    EXPECT_NE(back, nullptr);
    ReleaseOvraBjtANL(back);
    EXPECT_EQ(folder.Entries().size(), 2u);
    ::unlink(ticket.c_str());
    ::unlink(prefs.c_str());
  }
}

// Sees every file created in a folder and notes its permission bits at once.
class CreationWatcher {
 public:
  explicit CreationWatcher(const std::string& folder) : folder_(folder) {
    fd_ = ::inotify_init1(IN_CLOEXEC);
    if (fd_ >= 0) ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE);
  }
  CreationWatcher(const CreationWatcher&) = delete;
  CreationWatcher& operator=(const CreationWatcher&) = delete;
  ~CreationWatcher() {
    if (fd_ >= 0) ::close(fd_);
  }

  // The bits of the files created since the last call that still exist,
  // waiting up to `patience` for the first.
  std::vector<mode_t> ModesSeen(std::chrono::milliseconds patience) {
    std::vector<mode_t> modes;
    pollfd ready{fd_, POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(patience.count())) != 1) return modes;
    alignas(inotify_event) char events[8192];
    const ssize_t got = ::read(fd_, events, sizeof events);
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      struct stat info {};
      if (event->len > 0 && ::stat((folder_ + "/" + event->name).c_str(), &info) == 0) {
        modes.push_back(info.st_mode & 07777);
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    return modes;
  }
  int Descriptor() const { return fd_; }

 private:
  std::string folder_;
  int fd_ = -1;
};

// Until the new contents are complete, nobody else may open them: a
// watcher that looks at each file as it is created finds the save's
// temporary file readable by its owner only, and the saved file ends with
// the earlier file's bits (a new one with rw-rw-rw- less the umask).
TEST(DocumentFiles, NewContentsAreNeverOpenToOthersBeforeTheyAreComplete) {
  TempFolder folder;
  const Packed maximal = MaximalPacked();  // a save long enough to be watched
  const mode_t mask = ::umask(022);
  ::umask(mask);
  const struct {
    const char* what;
    int earlier;  // the earlier file's bits; -1 for none
    mode_t final_mode;
  } cases[] = {
      {"a new file", -1, 0666 & ~mask},
      {"over a file of rw-r-----", 0640, 0640},
      {"over a file of rw-rw-rw-", 0666, 0666},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = folder / "ticket.xml";
    if (c.earlier >= 0) {
      WriteFileBytes(target, "earlier");
      ASSERT_EQ(::chmod(target.c_str(), static_cast<mode_t>(c.earlier)), 0);
    }
    CreationWatcher watcher(folder.Path());
    ASSERT_GE(watcher.Descriptor(), 0);
    std::vector<mode_t> seen;
    std::thread look([&] { seen = watcher.ModesSeen(Within(5000)); });
    EXPECT_EQ(SaveOvra(target.c_str(), kBase.c_str(), maximal.data()), 1);
    look.join();
    ASSERT_FALSE(seen.empty()) << "the temporary file was gone before the watcher saw it";
    for (mode_t mode : seen) EXPECT_EQ(mode, 0600u & ~mask) << std::oct << mode;
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.final_mode);
    ::unlink(target.c_str());
  }
}

// The next save of a target removes what a killed save of it left, once
// that has lain unchanged for a minute, and leaves a file that only looks
// alike.
TEST(DocumentFiles, NextSaveRemovesWhatAKilledSaveLeft) {
  TempFolder folder;
  const Packed example = PackedFromDocument(ovrabjt::test::kExampleTicket);
  const struct {
    const char* what;
    std::function<int(const std::string&)> save;
  } cases[] = {
      {"SaveOvra",
       [&](const std::string& t) { return SaveOvra(t.c_str(), kBase.c_str(), example.data()); }},
      {"SaveMPSContentstoFile",
       [](const std::string& t) {
         AttrNodeList* list = SomePreferences();
         const int saved = SaveMPSContentstoFile(list, t.c_str());
         if (saved) ReleaseOvraBjtANL(list);
         return saved;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string target = folder / "job.xml";
    const std::string look_alike = folder / ".job.xml.ovrabjt-0123456789ABCDEF.tmp";
    WriteFileBytes(look_alike, "keep");
    AgeFile(look_alike);
    const std::string recent = LeftByKilledSave(target);
    ASSERT_FALSE(recent.empty());
    ASSERT_EQ(c.save(target), 1);
    EXPECT_EQ(folder.Entries().size(), 3u) << "a recent temporary file stays";
    AgeFile(recent);
    ASSERT_EQ(c.save(target), 1);
    EXPECT_EQ(folder.Entries(),
              (std::vector<std::string>{".job.xml.ovrabjt-0123456789ABCDEF.tmp", "job.xml"}));
    EXPECT_EQ(ReadFileBytes(look_alike), "keep");
    ::unlink(look_alike.c_str());
    ::unlink(target.c_str());
  }
}

}  // namespace

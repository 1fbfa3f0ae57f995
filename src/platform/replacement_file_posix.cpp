#include "platform/replacement_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/file_calls_posix.h"
#include "platform/temporary_name.h"

namespace ovrabjt {
namespace {

// Tries with fresh names when one is taken by another file.
constexpr int kNameAttempts = 64;

std::error_code LastError() { return {errno, std::generic_category()}; }

// The file a symbolic link leads to; the path itself when it is no link or
// leads nowhere (the link is then replaced, as creating the file would).
std::string ResolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

// A number that two saves are unlikely to share: the process, the clock and
// a counter, mixed (the mixing step of splitmix64). A name that is taken all
// the same is tried again with the next one.
std::uint64_t UniquePart() {
  static std::atomic<std::uint64_t> counter{0};
  const auto ticks =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::uint64_t x = (static_cast<std::uint64_t>(::getpid()) << 40) ^ ticks ^
                    (counter.fetch_add(1, std::memory_order_relaxed) * 0x9e3779b97f4a7c15ull);
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

// Removes the folder's entry `name` when it is a temporary file that its
// writer left: a regular file (a link is never followed), unchanged for the
// stale age and locked by nobody. It is removed under this process's lock
// and only while the name still leads to the file looked at.
void RemoveIfLeftBehind(int folder, const char* name, std::int64_t now) {
  const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {
  }, named{};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
      now - opened.st_mtim.tv_sec >= ReplacementFile::kStaleAfterSeconds &&
      ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
      named.st_ino == opened.st_ino) {
    ::unlinkat(folder, name, 0);
  }
  ::close(fd);
}

}  // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

std::error_code ReplacementFile::Begin(std::string_view target, const FileSystemCalls& calls) {
  Discard();
  replaced_ = false;
  if (target.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (target.find('\0') != std::string_view::npos) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  calls_ = &calls;
  target_path_ = ResolvedTarget(std::string(target));
  folder_ = target_path_.substr(0, target_path_.rfind('/') + 1);

  struct stat previous {};
  if (::stat(target_path_.c_str(), &previous) != 0) {
    if (errno != ENOENT) return LastError();
    final_.permissions = DefaultPermissions();
    adopt_owner_ = false;
  } else {
    if (S_ISDIR(previous.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(previous.st_mode)) return BeginDirect();
    // A file the process may not write is not replaced behind its back.
    File probe;
    if (std::error_code error =
            File::OpenForWriting(target_path_, WriteMode::kExistingOnly, probe, calls)) {
      return error;
    }
    probe.Close();
    final_.permissions = previous.st_mode & 07777;
    final_.owner = previous.st_uid;
    final_.group = previous.st_gid;
    adopt_owner_ = true;
  }
  RemoveStaleTemporaries();
  return OpenTemporary();
}

// A pipe or a device has no contents to keep. Should the name have become a
// regular file since it was looked at, that file is not written over.
std::error_code ReplacementFile::BeginDirect() {
  if (std::error_code error =
          File::OpenForWriting(target_path_, WriteMode::kExistingOnly, file_, *calls_)) {
    return error;
  }
  FileInfo info;
  if (!file_.Status(info) && info.kind == FileKind::kRegular) {
    file_.Close();
    return std::make_error_code(std::errc::device_or_resource_busy);
  }
  direct_ = true;
  working_path_ = target_path_;
  return {};
}

std::error_code ReplacementFile::OpenTemporary() {
  const std::string target_name = target_path_.substr(folder_.size());
  std::error_code error;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = folder_ + TemporaryName(target_name, UniquePart());
    error = File::OpenForWriting(name, WriteMode::kCreatePrivate, file_, *calls_);
    if (!error) {
      working_path_ = name;
      break;
    }
    if (error != std::errc::file_exists) return error;
  }
  if (error) return error;
  // Held until the file is closed, so that other saves know its writer
  // lives. Where the file system has no locks, the stale age alone keeps
  // the file from them.
  file_.TryLock();
  return {};
}

void ReplacementFile::RemoveStaleTemporaries() const {
  DIR* folder = ::opendir(folder_.empty() ? "." : folder_.c_str());
  if (!folder) return;
  const std::string target_name = target_path_.substr(folder_.size());
  const std::int64_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(folder)) {
    if (IsTemporaryName(entry->d_name, target_name)) {
      RemoveIfLeftBehind(::dirfd(folder), entry->d_name, now);
    }
  }
  ::closedir(folder);
}

std::error_code ReplacementFile::Write(const void* bytes, std::size_t count) {
  return file_.Write(bytes, count);
}

std::error_code ReplacementFile::Finish() {
  if (!direct_) {
    if (adopt_owner_) file_.AdoptOwner(final_);
    if (std::error_code error = file_.SetPermissions(final_.permissions)) return error;
    if (std::error_code error = file_.Sync()) return error;
  }
  return file_.Close();
}

std::error_code ReplacementFile::PutInPlace() {
  if (file_.IsOpen()) return std::make_error_code(std::errc::device_or_resource_busy);
  if (working_path_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (direct_) {
    Reset();
    return {};
  }
  if (std::error_code error = RenameFile(working_path_, target_path_, *calls_)) return error;
  replaced_ = true;
  const std::string folder = folder_;
  Reset();
  return SyncFolder(folder, *calls_);
}

void ReplacementFile::Discard() noexcept {
  file_.Close();
  if (!direct_ && !working_path_.empty()) DeleteFile(working_path_, *calls_);
  Reset();
}

void ReplacementFile::Reset() noexcept {
  working_path_.clear();
  target_path_.clear();
  folder_.clear();
  adopt_owner_ = false;
  direct_ = false;
}

}  // namespace ovrabjt

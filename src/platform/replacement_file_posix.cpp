#include "platform/replacement_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/file_calls_posix.h"
#include "platform/temporary_name.h"

namespace ovrabjt {
namespace {

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

std::error_code ReplacementFile::BeginOn(const std::string& target, const FileSystemCalls& calls) {
  target_path_ = ResolvedTarget(target);
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

std::error_code ReplacementFile::ReplaceTarget() {
  if (std::error_code error = RenameFile(working_path_, target_path_, *calls_)) return error;
  replaced_ = true;
  const std::string folder = folder_;
  Reset();
  return SyncFolder(folder, *calls_);
}

}  // namespace ovrabjt

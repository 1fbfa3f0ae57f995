#include "platform/file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/file_calls_posix.h"

namespace ovrabjt {
namespace {

// Wrappers, because the C library's functions may be macros or take
// variadic arguments.
int SystemOpen(const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int SystemFstat(int fd, struct stat* info) { return ::fstat(fd, info); }
ssize_t SystemRead(int fd, void* buffer, std::size_t count) { return ::read(fd, buffer, count); }
ssize_t SystemWrite(int fd, const void* bytes, std::size_t count) {
  return ::write(fd, bytes, count);
}
int SystemFsync(int fd) { return ::fsync(fd); }
int SystemClose(int fd) { return ::close(fd); }
int SystemUnlink(const char* path) { return ::unlink(path); }
int SystemRename(const char* from, const char* to) { return ::rename(from, to); }
void* SystemCalloc(std::size_t count, std::size_t size) { return std::calloc(count, size); }

constexpr FileSystemCalls kSystemCalls = {
    &SystemOpen,  &SystemFstat,  &SystemRead,   &SystemWrite,  &SystemFsync,
    &SystemClose, &SystemUnlink, &SystemRename, &SystemCalloc,
};

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPrivateFileMode = 0600;

std::error_code LastError() { return {errno, std::generic_category()}; }

// A path for the C library: a NUL inside would silently cut it short.
bool ToCPath(std::string_view path, std::string& out) {
  if (path.find('\0') != std::string_view::npos) return false;
  out.assign(path);
  return true;
}

int FlagsFor(WriteMode mode) {
  switch (mode) {
    case WriteMode::kCreateOrTruncate:
      return O_WRONLY | O_CREAT | O_TRUNC;
    case WriteMode::kCreateNew:
    case WriteMode::kCreatePrivate:
      return O_WRONLY | O_CREAT | O_EXCL;
    case WriteMode::kExistingOnly:
      break;
  }
  return O_WRONLY;
}

// Opens `path` without waiting for a peer (a pipe's other end) and without
// becoming the process's terminal, retrying when a signal interrupts.
std::error_code OpenRetrying(const std::string& path, int flags, mode_t mode,
                             const FileSystemCalls& calls, int& fd) {
  do {
    fd = calls.open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, mode);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? LastError() : std::error_code();
}

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) return FileKind::kRegular;
  if (S_ISDIR(mode)) return FileKind::kDirectory;
  return FileKind::kOther;
}

// The umask from the process's status, which reading leaves as it is;
// setting and restoring it instead would give another thread's new files
// the wrong bits meanwhile. Null where the system does not say.
std::optional<mode_t> UmaskFromStatus() {
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  char text[4096];
  std::size_t got = 0;
  ssize_t n = 0;
  while (got < sizeof text - 1 && (n = ::read(fd, text + got, sizeof text - 1 - got)) > 0) {
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text[got] = '\0';
  const char* line = std::strstr(text, "\nUmask:");
  if (!line) return std::nullopt;
  return static_cast<mode_t>(std::strtoul(line + 7, nullptr, 8) & 0777);
}

}  // namespace

const FileSystemCalls& SystemFileCalls() { return kSystemCalls; }

std::error_code File::OpenForReading(std::string_view path, File& out, const FileSystemCalls& calls,
                                     std::optional<FileInfo>* status) {
  std::string c_path;
  if (!ToCPath(path, c_path)) return std::make_error_code(std::errc::invalid_argument);
  int fd = -1;
  if (std::error_code error = OpenRetrying(c_path, O_RDONLY, 0, calls, fd)) return error;
  File file(fd, calls);
  // A status that cannot be read is left for Size to report.
  FileInfo info;
  const bool known = !file.Status(info);
  if (known && info.kind == FileKind::kDirectory) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  if (status != nullptr && known) *status = info;
  out = std::move(file);
  return {};
}

std::error_code File::OpenForWriting(std::string_view path, WriteMode mode, File& out,
                                     const FileSystemCalls& calls) {
  std::string c_path;
  if (!ToCPath(path, c_path)) return std::make_error_code(std::errc::invalid_argument);
  int fd = -1;
  const mode_t bits = mode == WriteMode::kCreatePrivate ? kPrivateFileMode : kNewFileMode;
  if (std::error_code error = OpenRetrying(c_path, FlagsFor(mode), bits, calls, fd)) return error;
  File file(fd, calls);
  // Opened without waiting; the writes may wait (for a pipe's reader).
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1) return LastError();
  out = std::move(file);
  return {};
}

std::error_code File::Status(FileInfo& info) const {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  struct stat status {};
  if (calls_->fstat(handle_, &status) != 0) return LastError();
  if (status.st_size < 0) return std::make_error_code(std::errc::value_too_large);
  info.kind = KindOf(status.st_mode);
  info.size = static_cast<std::uint64_t>(status.st_size);
  info.permissions = status.st_mode & 07777;
  info.owner = status.st_uid;
  info.group = status.st_gid;
  return {};
}

std::error_code File::Read(void* buffer, std::size_t count, std::size_t& got) {
  got = 0;
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  auto* into = static_cast<char*>(buffer);
  while (got < count) {
    const ssize_t n = calls_->read(handle_, into + got, count - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) break;  // end of file
    got += static_cast<std::size_t>(n);
  }
  return {};
}

std::error_code File::Write(const void* bytes, std::size_t count) {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  const auto* from = static_cast<const char*>(bytes);
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = calls_->write(handle_, from + done, count - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
    done += static_cast<std::size_t>(n);
  }
  return {};
}

// Only a privileged process may give a file away; others keep it as theirs,
// which is no reason to fail.
void File::AdoptOwner(const FileInfo& like) {
  if (IsOpen() && ::fchown(handle_, like.owner, like.group) != 0) {
    // keep the process's own owner
  }
}

std::error_code File::SetPermissions(std::uint32_t permissions) {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  return ::fchmod(handle_, permissions & 07777) != 0 ? LastError() : std::error_code();
}

std::error_code File::TryLock() {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  int result = 0;
  do {
    result = ::flock(handle_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result != 0 ? LastError() : std::error_code();
}

std::error_code File::Sync() {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  int result = 0;
  do {
    result = calls_->fsync(handle_);
  } while (result != 0 && errno == EINTR);
  return result != 0 ? LastError() : std::error_code();
}

// Close is not retried after EINTR: on Linux the descriptor is released
// whatever close returns, and a retry could close another file's.
std::error_code File::Close() {
  if (!IsOpen()) return {};
  const int fd = std::exchange(handle_, -1);
  if (calls_->close(fd) != 0 && errno != EINTR) return LastError();
  return {};
}

std::error_code DeleteFile(std::string_view path, const FileSystemCalls& calls) {
  std::string c_path;
  if (!ToCPath(path, c_path)) return std::make_error_code(std::errc::invalid_argument);
  return calls.unlink(c_path.c_str()) != 0 ? LastError() : std::error_code();
}

std::error_code RenameFile(std::string_view from, std::string_view to,
                           const FileSystemCalls& calls) {
  std::string c_from, c_to;
  if (!ToCPath(from, c_from) || !ToCPath(to, c_to)) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  return calls.rename(c_from.c_str(), c_to.c_str()) != 0 ? LastError() : std::error_code();
}

// The folder is opened for reading, which is all that syncing it needs. A
// file system that cannot sync a folder says EINVAL.
std::error_code SyncFolder(std::string_view folder, const FileSystemCalls& calls) {
  std::string c_path;
  if (!ToCPath(folder.empty() ? "." : folder, c_path)) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  int fd = -1;
  if (std::error_code error = OpenRetrying(c_path, O_RDONLY | O_DIRECTORY, 0, calls, fd)) {
    return error;
  }
  int result = 0;
  do {
    result = calls.fsync(fd);
  } while (result != 0 && errno == EINTR);
  const std::error_code error = result != 0 ? LastError() : std::error_code();
  calls.close(fd);
  return error == std::errc::invalid_argument ? std::error_code() : error;
}

std::uint32_t DefaultPermissions() {
  std::optional<mode_t> mask = UmaskFromStatus();
  if (!mask) {
    // Meanwhile, another thread's new files get fewer bits, never more.
    mask = ::umask(077);
    ::umask(*mask);
  }
  return kNewFileMode & ~*mask;
}

HeapBuffer AllocateZeroed(std::size_t size, const FileSystemCalls& calls) {
  return HeapBuffer(static_cast<char*>(calls.calloc(size == 0 ? 1 : size, 1)));
}

}  // namespace ovrabjt

#include "platform/file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

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
      return O_WRONLY | O_CREAT | O_EXCL;
    case WriteMode::kExistingOnly:
      break;
  }
  return O_WRONLY;
}

// Opens `path`, retrying when a signal interrupts the call.
std::error_code OpenRetrying(const std::string& path, int flags, const FileSystemCalls& calls,
                             int& fd) {
  do {
    fd = calls.open(path.c_str(), flags | O_CLOEXEC, kNewFileMode);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? LastError() : std::error_code();
}

}  // namespace

const FileSystemCalls& SystemFileCalls() { return kSystemCalls; }

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), calls_(std::exchange(other.calls_, nullptr)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    calls_ = std::exchange(other.calls_, nullptr);
  }
  return *this;
}

File::~File() { Close(); }

std::error_code File::OpenForReading(std::string_view path, File& out,
                                     const FileSystemCalls& calls) {
  std::string c_path;
  if (!ToCPath(path, c_path)) return std::make_error_code(std::errc::invalid_argument);
  int fd = -1;
  if (std::error_code error = OpenRetrying(c_path, O_RDONLY, calls, fd)) return error;
  File file(fd, calls);
  // A status that cannot be read is left for Size to report.
  struct stat info {};
  if (!file.Status(info) && S_ISDIR(info.st_mode)) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  out = std::move(file);
  return {};
}

std::error_code File::OpenForWriting(std::string_view path, WriteMode mode, File& out,
                                     const FileSystemCalls& calls) {
  std::string c_path;
  if (!ToCPath(path, c_path)) return std::make_error_code(std::errc::invalid_argument);
  int fd = -1;
  if (std::error_code error = OpenRetrying(c_path, FlagsFor(mode), calls, fd)) return error;
  out = File(fd, calls);
  return {};
}

std::error_code File::Status(struct stat& info) const {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  return calls_->fstat(fd_, &info) != 0 ? LastError() : std::error_code();
}

std::error_code File::Size(std::uint64_t& size) const {
  struct stat info {};
  if (std::error_code error = Status(info)) return error;
  if (info.st_size < 0) return std::make_error_code(std::errc::value_too_large);
  size = static_cast<std::uint64_t>(info.st_size);
  return {};
}

std::error_code File::Read(void* buffer, std::size_t count, std::size_t& got) {
  got = 0;
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  auto* into = static_cast<char*>(buffer);
  while (got < count) {
    const ssize_t n = calls_->read(fd_, into + got, count - got);
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
    const ssize_t n = calls_->write(fd_, from + done, count - done);
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
std::error_code File::AdoptOwnerAndMode(const struct stat& like) {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  if (::fchown(fd_, like.st_uid, like.st_gid) != 0) {
    // keep the process's own owner
  }
  return ::fchmod(fd_, like.st_mode & 07777) != 0 ? LastError() : std::error_code();
}

std::error_code File::Sync() {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  int result = 0;
  do {
    result = calls_->fsync(fd_);
  } while (result != 0 && errno == EINTR);
  return result != 0 ? LastError() : std::error_code();
}

// Close is not retried after EINTR: on Linux the descriptor is released
// whatever close returns, and a retry could close another file's.
std::error_code File::Close() {
  if (!IsOpen()) return {};
  const int fd = std::exchange(fd_, -1);
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

HeapBuffer AllocateZeroed(std::size_t size, const FileSystemCalls& calls) {
  return HeapBuffer(static_cast<char*>(calls.calloc(size == 0 ? 1 : size, 1)));
}

}  // namespace ovrabjt

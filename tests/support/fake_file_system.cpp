#include "support/fake_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace ovrabjt::testing {
namespace {

FakeFileSystem* g_current = nullptr;
bool g_interrupt_next = false;

// True (with errno EINTR) when this call is to be interrupted.
bool Interrupted() {
  if (!g_current->interrupt) return false;
  g_interrupt_next = !g_interrupt_next;
  if (!g_interrupt_next) return false;
  ++g_current->interrupted_calls;
  errno = EINTR;
  return true;
}

std::size_t Limited(std::size_t count) {
  return g_current->max_transfer == 0 ? count : std::min(count, g_current->max_transfer);
}

int FakeOpen(const char* path, int flags, mode_t mode) {
  if (g_current->open_errno != 0) {
    errno = g_current->open_errno;
    return -1;
  }
  const int fd = ::open(path, flags, mode);
  if (fd >= 0 && (flags & O_CREAT) != 0) {
    g_current->create_modes.push_back(mode);
    g_current->events.push_back("create");
  }
  return fd;
}

int FakeFstat(int fd, struct stat* info) {
  if (g_current->fstat_errno != 0) {
    errno = g_current->fstat_errno;
    return -1;
  }
  const int result = ::fstat(fd, info);
  if (result == 0 && g_current->size && S_ISREG(info->st_mode)) {
    info->st_size = static_cast<off_t>(*g_current->size);
  }
  return result;
}

ssize_t FakeRead(int fd, void* buffer, std::size_t count) {
  if (Interrupted()) return -1;
  if (g_current->read_errno != 0) {
    errno = g_current->read_errno;
    return -1;
  }
  return ::read(fd, buffer, Limited(count));
}

ssize_t FakeWrite(int fd, const void* bytes, std::size_t count) {
  ++g_current->write_calls;
  if (Interrupted()) return -1;
  if (g_current->write_errno != 0 && g_current->bytes_written >= g_current->write_fails_after) {
    errno = g_current->write_errno;
    return -1;
  }
  if (g_current->write_stalls_after && g_current->bytes_written >= *g_current->write_stalls_after) {
    return 0;
  }
  const ssize_t n = ::write(fd, bytes, Limited(count));
  if (n > 0) g_current->bytes_written += static_cast<std::size_t>(n);
  return n;
}

int FakeFsync(int fd) {
  struct stat info {};
  const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
  g_current->events.push_back(folder ? "fsync folder" : "fsync file");
  const int fails = folder ? g_current->fsync_folder_errno : g_current->fsync_errno;
  if (fails != 0) {
    errno = fails;
    return -1;
  }
  return ::fsync(fd);
}

int FakeClose(int fd) {
  const int result = ::close(fd);
  if (g_current->close_errno != 0) {
    errno = g_current->close_errno;
    return -1;
  }
  return result;
}

int FakeUnlink(const char* path) {
  g_current->events.push_back("unlink");
  return ::unlink(path);
}

int FakeRename(const char* from, const char* to) {
  g_current->events.push_back("rename");
  if (g_current->rename_errno != 0) {
    errno = g_current->rename_errno;
    return -1;
  }
  return ::rename(from, to);
}

void* FakeCalloc(std::size_t count, std::size_t size) {
  return g_current->heap_empty ? nullptr : std::calloc(count, size);
}

constexpr FileSystemCalls kFakeCalls = {
    &FakeOpen,  &FakeFstat,  &FakeRead,   &FakeWrite,  &FakeFsync,
    &FakeClose, &FakeUnlink, &FakeRename, &FakeCalloc,
};

}  // namespace

FakeFileSystem::FakeFileSystem() {
  g_current = this;
  g_interrupt_next = false;
}

FakeFileSystem::~FakeFileSystem() { g_current = nullptr; }

const FileSystemCalls& FakeFileSystem::Calls() const { return kFakeCalls; }

}  // namespace ovrabjt::testing

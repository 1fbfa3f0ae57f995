// The kernel reads one byte of each page on the module's behalf and says
// EFAULT for a page it cannot read, where the process itself would fault.
// It is asked to write those bytes into a pipe of its own, 64 pages per
// call. Where no pipe can be had (no descriptor left), the kernel's copy
// from another process, asked of this process, does the same at about a
// microsecond per page; where that is refused too (a sandbox's filter of
// system calls), the rest counts as unreadable.
#include "platform/readable_memory.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>

namespace ovrabjt {
namespace {

// Pages looked at in one system call.
constexpr std::size_t kPagesPerCall = 64;

std::uintptr_t PageSize() {
  static const auto size = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

// The bytes to look at: one of each page from `from` on, `from` itself first.
std::size_t ProbeAddresses(std::uintptr_t from, std::uintptr_t end,
                           iovec (&probes)[kPagesPerCall]) {
  std::size_t n = 0;
  for (std::uintptr_t at = from; at < end && n < kPagesPerCall; ++n) {
    probes[n] = {reinterpret_cast<void*>(at), 1};
    at = (at / PageSize() + 1) * PageSize();
  }
  return n;
}

// Pages of `probes` that can be read before the first that cannot, through
// the cross-process copy, whose partial transfers are whole pieces. -1 when
// the call is refused.
long ReadableByCopy(const iovec* probes, std::size_t n) {
  char bytes[kPagesPerCall];
  iovec local{bytes, n};
  ssize_t got = 0;
  do {
    got = ::process_vm_readv(::getpid(), &local, 1, probes, n, 0);
  } while (got < 0 && errno == EINTR);
  if (got >= 0) return got;
  return errno == EFAULT ? 0 : -1;
}

}  // namespace

struct ReadableMemory::Probe {
  int read_end = -1;
  int write_end = -1;

  ~Probe() {
    if (read_end >= 0) ::close(read_end);
    if (write_end >= 0) ::close(write_end);
  }

  bool Open() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    read_end = ends[0];
    write_end = ends[1];
    return true;
  }

  // Whether the kernel could read every byte of `probes` into the pipe,
  // which is emptied again. Any failure counts as unreadable.
  bool Written(const iovec* probes, std::size_t n) {
    ssize_t written = 0;
    do {
      written = ::writev(write_end, probes, static_cast<int>(n));
    } while (written < 0 && errno == EINTR);
    // At most one call's bytes wait in the pipe: one read takes them all.
    char drain[4 * kPagesPerCall];
    if (::read(read_end, drain, sizeof drain) < 0) {
      // nothing was written
    }
    return written == static_cast<ssize_t>(n);
  }

  // Pages of `probes` that can be read before the first that cannot: a
  // failed batch is looked at again page by page.
  long Readable(const iovec* probes, std::size_t n) {
    if (Written(probes, n)) return static_cast<long>(n);
    std::size_t good = 0;
    while (good < n && Written(probes + good, 1)) ++good;
    return static_cast<long>(good);
  }
};

ReadableMemory::ReadableMemory() = default;
ReadableMemory::~ReadableMemory() = default;

std::size_t ReadableMemory::ReadableBytes(const void* from, std::size_t count) noexcept {
  if (!probe_) {
    probe_.reset(new (std::nothrow) Probe);
    if (probe_ && !probe_->Open()) probe_.reset();
  }
  const auto start = reinterpret_cast<std::uintptr_t>(from);
  const std::uintptr_t end = count > UINTPTR_MAX - start ? UINTPTR_MAX : start + count;
  std::uintptr_t at = start;
  while (at < end) {
    iovec probes[kPagesPerCall];
    const std::size_t n = ProbeAddresses(at, end, probes);
    const long good = probe_ ? probe_->Readable(probes, n) : ReadableByCopy(probes, n);
    if (good <= 0) break;
    if (static_cast<std::size_t>(good) < n) {
      at = reinterpret_cast<std::uintptr_t>(probes[good].iov_base);
      break;
    }
    at = (reinterpret_cast<std::uintptr_t>(probes[n - 1].iov_base) / PageSize() + 1) * PageSize();
  }
  return static_cast<std::size_t>(std::min(at, end) - start);
}

}  // namespace ovrabjt

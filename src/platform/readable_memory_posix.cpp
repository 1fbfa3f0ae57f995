// The kernel copies on the module's behalf and says EFAULT for a page it
// cannot read, where the process itself would fault: its copy from another
// process, asked of this process. Where that is refused (a sandbox's filter
// of system calls), a pipe of the call's own serves, page by page; where no
// pipe can be had either, the rest counts as unreadable.
#include "platform/readable_memory.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>

namespace ovrabjt {
namespace {

std::size_t PageSize() {
  static const auto size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

// The bytes from `from` to the end of its page, at most `left`.
std::size_t PieceAt(const std::uint8_t* from, std::size_t left) {
  return std::min(left, PageSize() - reinterpret_cast<std::uintptr_t>(from) % PageSize());
}

// Set once the system refuses the cross-process copy; the pipe serves from
// then on.
std::atomic<bool> g_cross_copy_refused{false};

// One cross-process copy: the bytes copied (0 when the first page cannot
// be read, or on any other failure), -1 when the call itself is refused.
long CopyOnce(const std::uint8_t* from, std::uint8_t* to, std::size_t count) {
  iovec local{to, count};
  iovec remote{const_cast<std::uint8_t*>(from), count};
  ssize_t n = 0;
  do {
    n = ::process_vm_readv(::getpid(), &local, 1, &remote, 1, 0);
  } while (n < 0 && errno == EINTR);
  if (n >= 0) return n;
  return errno == EPERM || errno == ENOSYS ? -1 : 0;
}

// The whole stretch in one call; where it comes short, the page at which it
// stopped is asked for alone, as the call promises only whole pieces (one
// page, then) and may stop a longer one early. False when refused.
bool CopyAcrossProcess(const std::uint8_t* from, std::uint8_t* to, std::size_t count,
                       std::size_t& copied) {
  copied = 0;
  while (copied < count) {
    const long n = CopyOnce(from + copied, to + copied, count - copied);
    if (n < 0) return false;
    copied += static_cast<std::size_t>(n);
    if (copied == count) break;
    const std::size_t piece = PieceAt(from + copied, count - copied);
    const long m = CopyOnce(from + copied, to + copied, piece);
    if (m < 0) return false;
    if (static_cast<std::size_t>(m) < piece) break;
    copied += piece;
  }
  return true;
}

// The same through a pipe: the kernel reads each page as it writes it into
// the pipe and says EFAULT for a page it cannot read. A piece is at most a
// page, which a pipe takes whole.
std::size_t CopyThroughPipe(const std::uint8_t* from, std::uint8_t* to, std::size_t count) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return 0;
  std::size_t copied = 0;
  while (copied < count) {
    ssize_t in = 0;
    do {
      in = ::write(ends[1], from + copied, PieceAt(from + copied, count - copied));
    } while (in < 0 && errno == EINTR);
    if (in <= 0) break;
    ssize_t got = 0;
    while (got < in) {
      const ssize_t n = ::read(ends[0], to + copied + got, static_cast<std::size_t>(in - got));
      if (n > 0)
        got += n;
      else if (n == 0 || errno != EINTR)
        break;
    }
    copied += static_cast<std::size_t>(got);
    if (got < in) break;
  }
  ::close(ends[0]);
  ::close(ends[1]);
  return copied;
}

}  // namespace

std::size_t CopyReadableMemory(const void* from, void* to, std::size_t count) noexcept {
  const auto* source = static_cast<const std::uint8_t*>(from);
  auto* target = static_cast<std::uint8_t*>(to);
  if (!g_cross_copy_refused.load(std::memory_order_relaxed)) {
    std::size_t copied = 0;
    if (CopyAcrossProcess(source, target, count, copied)) return copied;
    g_cross_copy_refused.store(true, std::memory_order_relaxed);
  }
  return CopyThroughPipe(source, target, count);
}

}  // namespace ovrabjt

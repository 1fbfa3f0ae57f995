// Telling how far memory can be read where a caller's pointer leads and its
// extent is not known: a page the process cannot read is reported, never
// faulted on. The packed ticket of the exports comes without a length, and
// its string count may claim more strings than the caller's block holds.
#pragma once

#include <cstddef>
#include <memory>

namespace ovrabjt {

// One use, such as one unpack: it keeps what the platform needs between the
// questions (a pipe on POSIX systems) and releases it when destroyed.
class ReadableMemory {
 public:
  ReadableMemory();
  ReadableMemory(const ReadableMemory&) = delete;
  ReadableMemory& operator=(const ReadableMemory&) = delete;
  ~ReadableMemory();

  // ReadableBytes - how many of the `count` bytes from `from` the process
  // can read: `count`, or fewer when the page holding byte `from + result`
  // cannot be read (not mapped, mapped without read access, or a guard
  // page). Looks at one byte of each page and keeps nothing of it. When the
  // platform cannot tell, the answer is 0: nothing counts as readable.
  std::size_t ReadableBytes(const void* from, std::size_t count) noexcept;

 private:
  struct Probe;  // the platform's
  std::unique_ptr<Probe> probe_;
};

}  // namespace ovrabjt

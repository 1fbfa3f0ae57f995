#include "support/memory_hole.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>

namespace ovrabjt::testing {

BytesBeforeHole::BytesBeforeHole(const void* bytes, std::size_t count, Hole hole) : kind_(hole) {
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t pages = (count + page - 1) / page;
  mapped_ = (pages + 1) * page;
  void* mapping =
      ::mmap(nullptr, mapped_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  mapping_ = static_cast<std::uint8_t*>(mapping);
  hole_ = mapping_ + pages * page;
  data_ = hole_ - count;
  if (count != 0) std::memcpy(data_, bytes, count);
  const int made =
      hole == Hole::kUnmapped ? ::munmap(hole_, page) : ::mprotect(hole_, page, PROT_NONE);
  if (made != 0) throw std::bad_alloc();
  if (hole == Hole::kUnmapped) mapped_ -= page;
}

BytesBeforeHole::~BytesBeforeHole() { ::munmap(mapping_, mapped_); }

bool BytesBeforeHole::HoleIntact() const {
  if (kind_ == Hole::kInaccessible) return true;
  unsigned char resident = 0;
  return ::mincore(hole_, 1, &resident) != 0 && errno == ENOMEM;
}

}  // namespace ovrabjt::testing

// The bytes before a hole on Windows: a reservation whose last page is
// decommitted (no longer backed, as an unmapped page) or committed without
// access.
#include <windows.h>

#include <cstring>
#include <new>

#include "support/memory_hole.h"

namespace ovrabjt::testing {

BytesBeforeHole::BytesBeforeHole(const void* bytes, std::size_t count, Hole hole) : kind_(hole) {
  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  const std::size_t page = system.dwPageSize;
  const std::size_t pages = (count + page - 1) / page;
  mapped_ = (pages + 1) * page;
  void* mapping = ::VirtualAlloc(nullptr, mapped_, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (mapping == nullptr) throw std::bad_alloc();
  mapping_ = static_cast<std::uint8_t*>(mapping);
  hole_ = mapping_ + pages * page;
  data_ = hole_ - count;
  if (count != 0) std::memcpy(data_, bytes, count);
  DWORD before = 0;
  const bool made = hole == Hole::kUnmapped
                        ? ::VirtualFree(hole_, page, MEM_DECOMMIT) != 0
                        : ::VirtualProtect(hole_, page, PAGE_NOACCESS, &before) != 0;
  if (!made) throw std::bad_alloc();
}

BytesBeforeHole::~BytesBeforeHole() { ::VirtualFree(mapping_, 0, MEM_RELEASE); }

// The reservation keeps the decommitted page from being handed out again.
bool BytesBeforeHole::HoleIntact() const {
  MEMORY_BASIC_INFORMATION region{};
  if (::VirtualQuery(hole_, &region, sizeof region) == 0) return true;
  return region.State != MEM_COMMIT || (region.Protect & PAGE_NOACCESS) != 0;
}

}  // namespace ovrabjt::testing

// The system describes memory as regions, runs of pages that share their
// state and protection: each region is looked up before it is read.
#include "platform/readable_memory.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ovrabjt {
namespace {

// Whether the pages of a region can be read: committed, with a protection
// that allows reading, and no guard page (touching one raises an exception).
bool Readable(const MEMORY_BASIC_INFORMATION& region) {
  constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                              PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
  return region.State == MEM_COMMIT && (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0 &&
         (region.Protect & kReadable) != 0;
}

}  // namespace

std::size_t CopyReadableMemory(const void* from, void* to, std::size_t count) noexcept {
  const auto* source = static_cast<const std::uint8_t*>(from);
  auto* target = static_cast<std::uint8_t*>(to);
  std::size_t copied = 0;
  while (copied < count) {
    MEMORY_BASIC_INFORMATION region{};
    if (::VirtualQuery(source + copied, &region, sizeof region) == 0 || !Readable(region)) break;
    const auto* region_end =
        static_cast<const std::uint8_t*>(region.BaseAddress) + region.RegionSize;
    const std::size_t piece =
        std::min(count - copied, static_cast<std::size_t>(region_end - (source + copied)));
    std::memcpy(target + copied, source + copied, piece);
    copied += piece;
  }
  return copied;
}

}  // namespace ovrabjt

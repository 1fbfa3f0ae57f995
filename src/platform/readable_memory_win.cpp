// The system describes memory as regions, runs of pages that share their
// state and protection: each region is looked up before it counts as
// readable.
#include "platform/readable_memory.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

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

struct ReadableMemory::Probe {};

ReadableMemory::ReadableMemory() = default;
ReadableMemory::~ReadableMemory() = default;

std::size_t ReadableMemory::ReadableBytes(const void* from, std::size_t count) noexcept {
  const auto start = reinterpret_cast<std::uintptr_t>(from);
  const std::uintptr_t end = count > UINTPTR_MAX - start ? UINTPTR_MAX : start + count;
  std::uintptr_t at = start;
  while (at < end) {
    MEMORY_BASIC_INFORMATION region{};
    if (::VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0 ||
        !Readable(region)) {
      break;
    }
    at = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return static_cast<std::size_t>(std::min(at, end) - start);
}

}  // namespace ovrabjt

#include "memory_meter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Blocks freed while counting that were taken before it began lower the
// count below zero, hence signed.
std::atomic<bool> counting{false};
std::atomic<std::ptrdiff_t> in_use{0};
std::atomic<std::ptrdiff_t> peak{0};

void* Counted(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  if (counting.load(std::memory_order_relaxed)) {
    const std::ptrdiff_t now = in_use += static_cast<std::ptrdiff_t>(malloc_usable_size(block));
    std::ptrdiff_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  return block;
}

void Uncounted(void* block) {
  if (!block) return;
  if (counting.load(std::memory_order_relaxed))
    in_use -= static_cast<std::ptrdiff_t>(malloc_usable_size(block));
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Counted(size); }
void* operator new[](std::size_t size) { return Counted(size); }
void operator delete(void* block) noexcept { Uncounted(block); }
void operator delete[](void* block) noexcept { Uncounted(block); }
void operator delete(void* block, std::size_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::size_t) noexcept { Uncounted(block); }

namespace ovrabjt::bench {

std::size_t PeakHeapOf(const std::function<void()>& work) {
  in_use = 0;
  peak = 0;
  counting = true;
  work();
  counting = false;
  return static_cast<std::size_t>(std::max<std::ptrdiff_t>(peak.load(), 0));
}

}  // namespace ovrabjt::bench

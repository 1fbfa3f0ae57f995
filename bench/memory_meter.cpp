#include "memory_meter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> in_use{0};
std::atomic<std::size_t> peak{0};

void* Counted(std::size_t size) {
  void* block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  const std::size_t now = in_use += malloc_usable_size(block);
  std::size_t seen = peak.load();
  while (now > seen && !peak.compare_exchange_weak(seen, now)) {
  }
  return block;
}

void Uncounted(void* block) {
  if (!block) return;
  in_use -= malloc_usable_size(block);
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

std::size_t HeapInUse() { return in_use.load(); }
std::size_t HeapPeak() { return peak.load(); }
void ResetHeapPeak() { peak.store(in_use.load()); }

}  // namespace ovrabjt::bench

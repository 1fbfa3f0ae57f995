// Bounds on wall time for tests of work that must stop quickly. The bound
// stretches where the code runs slower by design: under valgrind (some fifty
// times) and under AddressSanitizer, whose large allocations are fresh
// mappings each time (the XML library makes one reader per entity expansion,
// with buffers of tens of kilobytes).
#pragma once

#include <valgrind/valgrind.h>

#include <chrono>

namespace ovrabjt::test {

inline std::chrono::milliseconds TimeBound(std::chrono::milliseconds bound) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kSanitizerFactor = 10;
#else
  constexpr int kSanitizerFactor = 1;
#endif
  return bound * (RUNNING_ON_VALGRIND ? 50 : kSanitizerFactor);
}

}  // namespace ovrabjt::test

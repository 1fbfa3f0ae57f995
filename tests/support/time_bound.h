// Bounds on wall time for tests of work that must stop quickly. The bound
// stretches where the code runs slower by design: under valgrind (some fifty
// times) and under AddressSanitizer, whose large allocations are fresh
// mappings each time (the XML library makes one reader per entity expansion,
// with buffers of tens of kilobytes).
#pragma once

#include <chrono>

namespace ovrabjt::test {

// Whether the process runs under valgrind (never on Windows, where valgrind
// does not run programs); one file per platform.
bool RunningUnderValgrind();

inline std::chrono::milliseconds TimeBound(std::chrono::milliseconds bound) {
#if defined(__SANITIZE_ADDRESS__)
  constexpr int kSanitizerFactor = 10;
#else
  constexpr int kSanitizerFactor = 1;
#endif
  return bound * (RunningUnderValgrind() ? 50 : kSanitizerFactor);
}

}  // namespace ovrabjt::test

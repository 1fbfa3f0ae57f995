// Measures the most heap bytes that a piece of work holds at once, through
// the global allocation functions (the XML library allocates through them
// too). Counting is on only inside PeakHeapOf, so that timed runs pay nothing
// for it.
#pragma once

#include <cstddef>
#include <functional>

namespace ovrabjt::bench {

// Runs `work` once and returns the highest number of bytes it held beyond
// what was held when it started.
std::size_t PeakHeapOf(const std::function<void()>& work);

}  // namespace ovrabjt::bench

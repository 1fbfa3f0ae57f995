// Counts the bytes the process holds on the heap, and the peak, through the
// global allocation functions (the XML library allocates through them too).
#pragma once

#include <cstddef>

namespace ovrabjt::bench {

std::size_t HeapInUse();
// The most bytes held since the last ResetHeapPeak.
std::size_t HeapPeak();
void ResetHeapPeak();

}  // namespace ovrabjt::bench

// Threads that make their first documents at the same moment start the XML
// library exactly once, and a start that fails is retried by the next
// caller. A process of its own: the library's state is process-wide.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>
#include <xercesc/util/OutOfMemoryException.hpp>

#include "xml/xml_platform.h"
#include "xml_test_support.h"

namespace ovrabjt {
namespace {

std::atomic<int> starts{0};
std::atomic<bool> fail_next{false};

// A slow start, so that the other threads arrive while it runs.
void SlowStart() {
  ++starts;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (fail_next.exchange(false)) throw xercesc::OutOfMemoryException();
}

void Stop() {}

TEST(XmlPlatformThreads, EightThreadsStartTheLibraryOnce) {
  const XmlLibraryCalls slow = {&SlowStart, &Stop};
  fail_next = true;
  std::atomic<int> failed{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&] {
      if (testing::CodeRaisedBy([&] { EnsureXmlPlatform(slow); }) != 0) ++failed;
    });
  }
  for (std::thread& thread : threads) thread.join();
  // The first start failed for its caller alone; the next caller started it.
  EXPECT_EQ(failed.load(), 1);
  EXPECT_EQ(starts.load(), 2);
  EXPECT_TRUE(XmlPlatformInitialised());
  ReleaseXmlPlatform(slow);
  EXPECT_TRUE(XmlPlatformTerminated());
}

}  // namespace
}  // namespace ovrabjt

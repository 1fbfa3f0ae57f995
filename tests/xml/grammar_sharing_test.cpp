// Documents of every release converted with shared grammars and without give
// the same bytes and records, from one thread or eight, over two folders of
// document types at once; and a converting process does not grow.
#include <gtest/gtest.h>
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <valgrind/valgrind.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "convert/ticket_conversion.h"
#include "frame/ticket_documents.h"
#include "support/temp_folder.h"
#include "support/text_output.h"
#include "support/ticket_generator.h"
#include "ticket/packing.h"
#include "xml/grammar_cache.h"

namespace ovrabjt {
namespace {

using testing::TempFolder;

std::vector<std::uint8_t> Packed(const TicketRecord& record) {
  std::uint32_t size = 0;
  EXPECT_TRUE(PackTicket(nullptr, record, &size));
  std::vector<std::uint8_t> packed(size);
  EXPECT_TRUE(PackTicket(packed.data(), record, nullptr));
  return packed;
}

// A ticket of a release, its text and the ticket loaded back from it.
struct Trip {
  std::string text;
  std::vector<std::uint8_t> loaded;
  bool operator==(const Trip&) const = default;
};

Trip RoundTrip(const std::vector<std::uint8_t>& packed, const ReleaseProfile& release,
               const std::string& base, const std::string& file) {
  Trip trip;
  test::TextOutput out;
  if (!WriteTicketDocument(base.c_str(), {packed.data(), packed.size()}, &out, release))
    return trip;
  trip.text = out.text;
  testing::WriteFileBytes(file, out.text);
  if (!LoadTicketDocument(file.c_str(), base.c_str(), trip.loaded, release)) trip.loaded.clear();
  return trip;
}

// The allocator's per-thread cache keeps freed blocks that its statistics
// count as in use, filled in no fixed order. The heap is measured with the
// cache off, in a run of the current test alone: true in that run; in any
// other, this starts that run and checks that it passed.
constexpr char kNoThreadCache[] = "glibc.malloc.tcache_count=0";

bool InRunWithoutThreadCache() {
  const char* tunables = std::getenv("GLIBC_TUNABLES");
  if (tunables != nullptr && std::strstr(tunables, kNoThreadCache) != nullptr) return true;
  const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
  std::string filter = std::string("--gtest_filter=") + test.test_suite_name() + "." + test.name();
  std::string program = "/proc/self/exe";
  char* argv[] = {program.data(), filter.data(), nullptr};
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable)
    if (std::strncmp(*variable, "GLIBC_TUNABLES=", 15) != 0) variables.emplace_back(*variable);
  variables.push_back(std::string("GLIBC_TUNABLES=") + kNoThreadCache);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);
  pid_t child = 0;
  EXPECT_EQ(posix_spawn(&child, argv[0], nullptr, nullptr, argv, envp.data()), 0);
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the run without the cache failed";
  return false;
}

// Two folders of document types: the source tree's and a copy.
class GrammarSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(OVRABJT_SOURCE_DIR "/data"))
      if (entry.path().extension() == ".dtd")
        std::filesystem::copy_file(entry.path(), copy / entry.path().filename().string());
    for (const ReleaseProfile* release : AllReleases()) {
      for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        testing::TicketShape shape;
        shape.release = release;
        cases.push_back({release, Packed(*testing::RandomTicket(seed * 31, shape)),
                         seed % 2 ? kBase : copy / "ticket.xml"});
      }
    }
  }

  struct Case {
    const ReleaseProfile* release;
    std::vector<std::uint8_t> packed;
    std::string base;
  };
  const std::string kBase = OVRABJT_SOURCE_DIR "/data/ticket.xml";
  TempFolder copy;
  TempFolder files;
  std::vector<Case> cases;
};

TEST_F(GrammarSharingTest, EveryReleaseGivesTheSameBytesAndRecordsWithSharedGrammarsAsWithout) {
  GrammarCache::Process().SetEnabled(false);
  std::vector<Trip> uncached;
  for (const Case& c : cases)
    uncached.push_back(RoundTrip(c.packed, *c.release, c.base, files / "uncached.xml"));
  GrammarCache::Process().SetEnabled(true);
  GrammarCache::Process().Clear();
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const Trip cached =
          RoundTrip(cases[i].packed, *cases[i].release, cases[i].base, files / "cached.xml");
      ASSERT_FALSE(uncached[i].text.empty()) << cases[i].release->file_version;
      ASSERT_FALSE(uncached[i].loaded.empty()) << cases[i].release->file_version;
      EXPECT_EQ(cached, uncached[i]) << cases[i].release->file_version << " round " << round;
    }
  }
  // One grammar per document type and folder: four types in two folders.
  EXPECT_EQ(GrammarCache::Process().Size(), 8u);
}

TEST_F(GrammarSharingTest, EightThreadsOverMixedReleasesAndTwoFoldersGiveTheSingleThreadedResults) {
  GrammarCache::Process().Clear();
  std::vector<Trip> expected;
  for (const Case& c : cases)
    expected.push_back(RoundTrip(c.packed, *c.release, c.base, files / "one.xml"));
  GrammarCache::Process().Clear();  // the threads fill it again, at once
  constexpr int kThreads = 8;
  std::vector<std::vector<Trip>> got(kThreads, std::vector<Trip>(cases.size()));
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t k = 0; k < cases.size(); ++k) {
        const std::size_t i = (t + k) % cases.size();
        got[t][i] = RoundTrip(cases[i].packed, *cases[i].release, cases[i].base,
                              files / ("t" + std::to_string(t) + ".xml"));
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t)
    for (std::size_t i = 0; i < cases.size(); ++i)
      EXPECT_EQ(got[t][i], expected[i]) << "thread " << t << ", " << cases[i].release->file_version;
}

TEST_F(GrammarSharingTest, TwoThousandLoadsAndConversionsLeaveTheHeapAsItWas) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer keeps its own heap";
#endif
  if (RUNNING_ON_VALGRIND) GTEST_SKIP() << "valgrind keeps its own heap";
  if (!InRunWithoutThreadCache()) return;
  auto fresh = TicketRecord::Allocate();
  InitTicketRecord(*fresh);
  const std::vector<std::uint8_t> packed = Packed(*fresh);
  const std::string file = files / "growth.xml";
  const auto run = [&](int times) {
    for (int i = 0; i < times; ++i) {
      test::TextOutput out;
      ASSERT_TRUE(WriteTicketDocument(kBase.c_str(), {packed.data(), packed.size()}, &out));
      if (i == 0) testing::WriteFileBytes(file, out.text);
      std::vector<std::uint8_t> loaded;
      ASSERT_TRUE(LoadTicketDocument(file.c_str(), kBase.c_str(), loaded));
    }
  };
  // The grammar, the library's pools and the allocator's own structures
  // reach their size in the first calls.
  run(200);
  const std::size_t before = mallinfo2().uordblks;
  run(2000);
  const std::size_t after = mallinfo2().uordblks;
  EXPECT_EQ(after, before) << "bytes per call: " << (double(after) - double(before)) / 4000;
}

TEST_F(GrammarSharingTest, TwoThousandLoadsAndConversionsOfMixedTicketsLeaveTheHeapAsItWas) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer keeps its own heap";
#endif
  if (RUNNING_ON_VALGRIND) GTEST_SKIP() << "valgrind keeps its own heap";
  if (!InRunWithoutThreadCache()) return;
  GrammarCache::Process().Clear();
  std::vector<std::string> files_of;
  for (std::size_t i = 0; i < cases.size(); ++i) files_of.push_back(files / std::to_string(i));
  const auto run = [&](int times) {
    for (int k = 0; k < times; ++k) {
      const Case& c = cases[k % cases.size()];
      const std::string& file = files_of[k % cases.size()];
      test::TextOutput out;
      ASSERT_TRUE(WriteTicketDocument(c.base.c_str(), {c.packed.data(), c.packed.size()}, &out,
                                      *c.release));
      if (k < static_cast<int>(cases.size())) testing::WriteFileBytes(file, out.text);
      std::vector<std::uint8_t> loaded;
      ASSERT_TRUE(LoadTicketDocument(file.c_str(), c.base.c_str(), loaded, *c.release));
    }
  };
  // Every grammar, its parsers and templates, and the allocator's own
  // structures reach their size in the first calls.
  run(10 * static_cast<int>(cases.size()));
  const std::size_t before = mallinfo2().uordblks;
  run(2000);
  const std::size_t after = mallinfo2().uordblks;
  EXPECT_EQ(after, before) << "bytes per call: " << (double(after) - double(before)) / 4000;
}

}  // namespace
}  // namespace ovrabjt

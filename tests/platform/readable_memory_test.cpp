#include "platform/readable_memory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/memory_hole.h"

namespace ovrabjt {
namespace {

using testing::BytesBeforeHole;
using testing::Hole;

const std::size_t kPage = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// What the copies should bring: all the bytes before the hole (`exact`),
// or none (`none`, where the platform cannot tell).
enum class Answer { kExact, kNone };

std::vector<std::uint8_t> Pattern(std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
  return bytes;
}

// Every copy stops exactly at the hole, wherever it starts, brings the
// bytes before it and writes nothing past what it copied.
void ExpectCopiesEndAtTheHole(Answer answer) {
  const struct {
    const char* what;
    std::size_t readable;  // bytes before the hole
    std::size_t start;     // where the copy starts, from the first readable byte
    std::size_t count;     // bytes asked for
  } cases[] = {
      {"nothing asked", 100, 0, 0},
      {"all before the hole", 100, 0, 100},
      {"up to the hole and past it", 100, 0, 5000},
      {"from mid-page into the hole", 3 * kPage, kPage / 2, 3 * kPage},
      {"a page exactly, then the hole", kPage, 0, kPage + 1},
      {"many pages, then the hole", 200 * kPage + 17, 0, 300 * kPage},
      {"well before the hole", 10 * kPage, 3, 2 * kPage + 3},
      {"starting at the hole", kPage, kPage, 10},
      {"the last byte before the hole", kPage, kPage - 1, 2},
  };
  for (Hole hole : {Hole::kUnmapped, Hole::kInaccessible}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.what) + " before " + std::string(testing::HoleName(hole)));
      const std::vector<std::uint8_t> bytes = Pattern(c.readable);
      const BytesBeforeHole memory(bytes.data(), bytes.size(), hole);
      std::vector<std::uint8_t> out(c.count + 1, 0xEE);
      const std::size_t copied = CopyReadableMemory(memory.data() + c.start, out.data(), c.count);
      const std::size_t expected =
          answer == Answer::kExact ? std::min(c.count, c.readable - c.start) : 0;
      EXPECT_EQ(copied, expected);
      EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(copied),
                             bytes.begin() + static_cast<std::ptrdiff_t>(c.start)));
      EXPECT_EQ(out[copied], 0xEE) << "a byte past the copy was written";
      ASSERT_TRUE(memory.HoleIntact());
    }
  }
}

TEST(ReadableMemoryTest, CopiesStopExactlyAtAPageThatCannotBeRead) {
  ExpectCopiesEndAtTheHole(Answer::kExact);
}

// Refuses the cross-process copy with EPERM, as a sandbox's filter of system
// calls does.
bool RefuseCrossProcessCopy() {
  sock_filter filter[] = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_process_vm_readv, 0, 1),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EPERM & SECCOMP_RET_DATA)),
      BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
  };
  sock_fprog program{static_cast<unsigned short>(std::size(filter)), filter};
  if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
      ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
    return false;
  }
  char byte = 0, out = 0;
  iovec local{&out, 1}, remote{&byte, 1};
  return ::process_vm_readv(::getpid(), &local, 1, &remote, 1, 0) == -1 && errno == EPERM;
}

// Leaves the process no descriptor to open, so that no pipe can be made.
bool TakeAwayDescriptors() {
  const rlimit none{0, 0};
  int ends[2];
  return ::setrlimit(RLIMIT_NOFILE, &none) == 0 && ::pipe2(ends, O_CLOEXEC) == -1 &&
         errno == EMFILE;
}

// Where the cross-process copy is refused, a pipe does the same; where no
// pipe can be had either, nothing counts as readable. Never a fault, never
// a byte too many. Each case runs in a child process, which alone is
// restricted.
TEST(ReadableMemoryTest, RestrictedProcessesStillGetSafeCopies) {
  const struct {
    const char* what;
    std::function<bool()> restrict_process;
    Answer answer;
  } cases[] = {
      {"the cross-process copy refused: a pipe", RefuseCrossProcessCopy, Answer::kExact},
      {"the cross-process copy refused, no descriptor for a pipe",
       [] { return RefuseCrossProcessCopy() && TakeAwayDescriptors(); }, Answer::kNone},
  };
  for (const auto& c : cases) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (!c.restrict_process()) ::_exit(2);
      ExpectCopiesEndAtTheHole(c.answer);
      ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << c.what;
    EXPECT_NE(WEXITSTATUS(status), 2) << c.what << ": the restriction did not take";
    EXPECT_EQ(WEXITSTATUS(status), 0) << c.what << ": a wrong answer (see above)";
  }
}

}  // namespace
}  // namespace ovrabjt

// Another program started by a test: its words arrive one by one as given,
// its standard input and output carry any bytes, both output streams may be
// long without the run waiting for ever, and its exit code comes back.
#include "support/child_process.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace ovrabjt::testing {
namespace {

std::string AllBytes() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += char(i);
  return bytes;
}

std::string Lines(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += word + "\n";
  return text + "--\n";
}

TEST(ChildProcess, WordsInputOutputAndExitCodeComeBackExactly) {
  struct Case {
    const char* what;
    std::vector<std::string> words;
    std::string input;
    int code;
    std::size_t error_bytes;
  } cases[] = {
      {"plain words", {"to-xml", "job.xml"}, "", 0, 0},
      {"blanks and quotation marks",
       {"two words", "\"quoted\"", "a \"b\" c", "'single'", "\t tab"},
       "",
       1,
       0},
      {"backslashes before quotation marks and at the end",
       {"C:\\a b\\", "\\\\server\\share", "x\\\"y", "end\\\\", "\\"},
       "",
       2,
       0},
      {"an empty word between others", {"a", "", "b"}, "", 37, 0},
      {"letters beyond ASCII", {"Caf\u00e9 \u20ac", "\u0416\u4e2d"}, "", 0, 0},
      {"every byte on standard input", {}, AllBytes() + "\r\n\x1a" + AllBytes(), 0, 0},
      // More than any pipe holds, on all three streams at once.
      {"a megabyte each way and on standard error",
       {"big"},
       std::string(1 << 20, 'i') + AllBytes(),
       3,
       std::size_t(1) << 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args = {std::to_string(c.code), std::to_string(c.error_bytes)};
    args.insert(args.end(), c.words.begin(), c.words.end());
    const ChildRun run = RunChild(OVRABJT_ECHO_CHILD, args, c.input);
    EXPECT_EQ(run.exit_code, c.code);
    EXPECT_EQ(run.out, Lines(c.words) + c.input);
    EXPECT_EQ(run.err, std::string(c.error_bytes, 'e'));
  }
}

TEST(ChildProcess, AProgramThatDoesNotExistIsAnError) {
  EXPECT_THROW(RunChild(OVRABJT_ECHO_CHILD ".missing", {}), std::runtime_error);
}

}  // namespace
}  // namespace ovrabjt::testing

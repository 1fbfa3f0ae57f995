// Another program started by a test, as a person or a script starts it: its
// words, what it reads on standard input, what it says and its exit code.
// One file per platform (child_process_posix.cpp, child_process_win.cpp).
#pragma once

#include <string>
#include <vector>

namespace ovrabjt::testing {

struct ChildRun {
  int exit_code = -1;  // -1 when the process did not exit normally
  std::string out;     // standard output
  std::string err;     // standard error
};

// RunChild - runs the program at `program` with the words `args` and
// `input` on standard input, and waits for it; however much it says on
// either stream, nothing blocks. Throws std::runtime_error when the program
// cannot be started.
ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                  const std::string& input = {});

// The id of the running process, for names no other process of the test
// run uses at the same time.
unsigned long CurrentProcessId();

}  // namespace ovrabjt::testing

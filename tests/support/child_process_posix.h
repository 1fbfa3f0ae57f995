// The POSIX form of RunChild with standard output opened on a file of the
// caller's choice (a terminal, say), which a non-blocking descriptor of the
// caller's may drain while the program runs.
#pragma once

#include <string>
#include <vector>

#include "support/child_process.h"

namespace ovrabjt::testing {

// RunChildWithOutput - runs `program` with `args` and `input` on standard
// input and standard output opened on `out`; while it runs, what `drain`
// (when not -1) receives goes into the run's `out`. The run's `err` is its
// standard error.
ChildRun RunChildWithOutput(const std::string& program, const std::vector<std::string>& args,
                            const std::string& input, const std::string& out, int drain);

}  // namespace ovrabjt::testing

// Runs the built tool as a separate process and collects what it did.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace ovrabjt::testing {

using ToolRun = ChildRun;

// RunTool - runs `ovrabjt args...` with `input` on standard input and waits
// for it.
ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = {});

// RunToolOnTerminal - the same with standard output on a terminal (a
// pseudo-terminal the test holds, read while the tool runs) and nothing on
// standard input. POSIX only (tool_terminal_posix.cpp): Windows has no
// pseudo-terminal a test can hand a program, and its form throws.
ToolRun RunToolOnTerminal(const std::vector<std::string>& args);

// A run of the tool and what it must give: the exit code, exactly this
// standard error, and nothing on standard output when it fails.
struct ExpectedRun {
  std::vector<std::string> args;
  int exit_code;
  std::string err;
};

// ExpectRuns - runs each case, its words and its standard error first passed
// through `expand` (which fills in the names of prepared files), and
// expects what it says.
void ExpectRuns(const std::vector<ExpectedRun>& cases,
                const std::function<std::string(std::string)>& expand);

// The examples and the document-type folder of the source tree.
inline const std::string kExamples = OVRABJT_SOURCE_DIR "/data/examples/";
inline const std::string kExampleTicket = kExamples + "ticket.xml";

}  // namespace ovrabjt::testing

// Runs the built tool as a separate process and collects what it did.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace ovrabjt::testing {

using ToolRun = ChildRun;

// RunTool - runs `ovrabjt args...` with `input` on standard input and waits
// for it; its standard error as MessageLines gives it.
ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = {});

// RunToolOnTerminal - the same with standard output on a terminal (a
// pseudo-terminal the test holds, read while the tool runs) and nothing on
// standard input. POSIX only (tool_runner_posix.cpp): Windows has no
// pseudo-terminal a test can hand a program, and its form throws.
ToolRun RunToolOnTerminal(const std::vector<std::string>& args);

// MessageLines - the tool's messages with each line ending in "\n" (on
// Windows, whose standard error ends lines in "\r\n", without the "\r").
std::string MessageLines(std::string messages);

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
// The source tree's document-type folder as the tool names a folder it
// looked in: in the system's own spelling (with backslashes on Windows).
inline const std::string kSourceDtdFolder =
    std::filesystem::path(OVRABJT_SOURCE_DIR "/data").make_preferred().string();

}  // namespace ovrabjt::testing

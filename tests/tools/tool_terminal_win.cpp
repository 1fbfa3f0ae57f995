// Windows has no pseudo-terminal a test can hand a program as its standard
// output; the cases that need one are left out of the Windows run.
#include <stdexcept>

#include "tool_runner.h"

namespace ovrabjt::testing {

ToolRun RunToolOnTerminal(const std::vector<std::string>&) {
  throw std::logic_error("a terminal for the tool's output exists on POSIX systems only");
}

}  // namespace ovrabjt::testing

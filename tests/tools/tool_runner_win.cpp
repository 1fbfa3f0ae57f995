// What the tool runner does the Windows way. Windows has no pseudo-terminal
// a test can hand a program as its standard output: the cases that need one
// are left out of the Windows run. Standard error is in text mode there, so
// each line of the tool's messages ends in "\r\n".
#include <stdexcept>

#include "tool_runner.h"

namespace ovrabjt::testing {

ToolRun RunToolOnTerminal(const std::vector<std::string>&) {
  throw std::logic_error("a terminal for the tool's output exists on POSIX systems only");
}

std::string MessageLines(std::string messages) {
  std::string lines;
  for (std::size_t i = 0; i < messages.size(); ++i)
    if (!(messages[i] == '\r' && i + 1 < messages.size() && messages[i + 1] == '\n'))
      lines += messages[i];
  return lines;
}

}  // namespace ovrabjt::testing

// What the tool runner does the POSIX way: the tool with its standard output
// on a pseudo-terminal the test holds, and its messages as they are.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

#include "support/child_process_posix.h"
#include "tool_runner.h"

namespace ovrabjt::testing {

ToolRun RunToolOnTerminal(const std::vector<std::string>& args) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  char name[128];
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0 ||
      ptsname_r(terminal, name, sizeof name) != 0)
    throw std::runtime_error("no pseudo-terminal");
  ToolRun run = RunChildWithOutput(OVRABJT_TOOL, args, "", name, terminal);
  close(terminal);
  return run;
}

std::string MessageLines(std::string messages) { return messages; }

}  // namespace ovrabjt::testing

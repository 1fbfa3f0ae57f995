#include "platform/program_io.h"

#include <unistd.h>

namespace ovrabjt {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

// POSIX streams carry bytes already.
void UseBinaryStandardStreams() {}

bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) != 0; }

}  // namespace ovrabjt

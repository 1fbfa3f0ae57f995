// What a command-line program gets from the system besides files: its
// arguments as the module's UTF-8 text, and standard streams that carry
// bytes unchanged.
#pragma once

#include <string>
#include <vector>

namespace ovrabjt {

// ProgramArguments - the program's arguments in UTF-8: `argv` as it is on
// POSIX; on Windows the wide command line, so that a file name outside the
// ANSI code page arrives whole.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// UseBinaryStandardStreams - standard input and output carry bytes as they
// are: Windows would otherwise turn "\n" into "\r\n" and stop at a 0x1A.
void UseBinaryStandardStreams();

// StandardOutputIsTerminal - whether standard output goes to a terminal (a
// console), where binary bytes make no sense.
bool StandardOutputIsTerminal();

}  // namespace ovrabjt

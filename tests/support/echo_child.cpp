// The program the tests of RunChild start: `echo_child CODE COUNT WORD...`
// writes COUNT bytes 'e' to standard error, then each WORD on a line of its
// own to standard output, a line "--" and the bytes of standard input as
// they came, and exits with CODE. Standard error is written first and in
// full, so that a caller that reads standard output alone would wait for
// ever once the pipe of standard error is full.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/program_io.h"

int main(int argc, char** argv) {
  ovrabjt::UseBinaryStandardStreams();
  const std::vector<std::string> words = ovrabjt::ProgramArguments(argc, argv);
  if (words.size() < 3) return 100;
  const std::string errors(std::strtoul(words[2].c_str(), nullptr, 10), 'e');
  std::fwrite(errors.data(), 1, errors.size(), stderr);
  std::fflush(stderr);
  std::string out;
  for (std::size_t i = 3; i < words.size(); ++i) out += words[i] + "\n";
  out += "--\n";
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) out.append(buffer, n);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::atoi(words[1].c_str());
}

#include "support/child_process_posix.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string_view>

#include "support/temp_folder.h"

extern char** environ;

namespace ovrabjt::testing {

namespace {

// Appends to `out` what the descriptor holds now.
void Drain(int from, std::string& out) {
  char buffer[4096];
  for (ssize_t n; (n = read(from, buffer, sizeof buffer)) > 0;) out.append(buffer, n);
}

}  // namespace

// Files rather than pipes for the streams the caller does not drain:
// nothing can block however much the program says.
ChildRun RunChildWithOutput(const std::string& program, const std::vector<std::string>& args,
                            const std::string& input, const std::string& out, int drain) {
  TempFolder folder;
  const std::string in = folder / "in", err = folder / "err";
  WriteFileBytes(in, input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

  std::vector<std::string> words{program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // A sanitized program would list the suppressions it used on standard
  // error, which the tests read; a leak is still reported (and fails the run).
  std::vector<std::string> variables;
  std::string leak_options = "LSAN_OPTIONS=print_suppressions=0";
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view text(*variable);
    if (text.starts_with("LSAN_OPTIONS="))
      leak_options.append(":").append(text.substr(text.find('=') + 1));
    else
      variables.emplace_back(text);
  }
  variables.push_back(leak_options);
  std::vector<char*> envp;
  for (std::string& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  ChildRun run;
  int status = 0;
  for (pid_t done = 0; done == 0;) {
    if (drain >= 0) {
      pollfd ready{drain, POLLIN, 0};
      poll(&ready, 1, 20);
      Drain(drain, run.out);
    }
    done = waitpid(pid, &status, drain >= 0 ? WNOHANG : 0);
    if (done != 0 && done != pid) throw std::runtime_error("lost the process of " + program);
  }
  if (drain >= 0) Drain(drain, run.out);

  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFileBytes(err);
  return run;
}

ChildRun RunChild(const std::string& program, const std::vector<std::string>& args,
                  const std::string& input) {
  TempFolder folder;
  ChildRun run = RunChildWithOutput(program, args, input, folder / "out", -1);
  run.out = ReadFileBytes(folder / "out");
  return run;
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(::getpid()); }

}  // namespace ovrabjt::testing

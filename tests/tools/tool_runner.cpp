#include "tool_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <stdlib.h>
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

// Runs the tool with standard output opened on `out` and returns its exit
// code and standard error; while it runs, what the non-blocking descriptor
// `drain` (when there is one) receives goes into the run's `out`. Files
// rather than pipes: nothing can block however much the tool says.
ToolRun Spawn(const std::vector<std::string>& args, const std::string& input,
              const std::string& out, int drain = -1) {
  TempFolder folder;
  const std::string in = folder / "in", err = folder / "err";
  WriteFileBytes(in, input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC | O_NOCTTY, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);

  std::vector<std::string> words{OVRABJT_TOOL};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // A sanitized tool would list the suppressions it used on standard error,
  // which the tests read; a leak is still reported (and fails the run).
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
  const int spawned = posix_spawn(&pid, OVRABJT_TOOL, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " OVRABJT_TOOL);
  ToolRun run;
  int status = 0;
  for (pid_t done = 0; done == 0;) {
    if (drain >= 0) {
      pollfd ready{drain, POLLIN, 0};
      poll(&ready, 1, 20);
      Drain(drain, run.out);
    }
    done = waitpid(pid, &status, drain >= 0 ? WNOHANG : 0);
    if (done != 0 && done != pid) throw std::runtime_error("lost the tool's process");
  }
  if (drain >= 0) Drain(drain, run.out);

  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = ReadFileBytes(err);
  return run;
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& args, const std::string& input) {
  TempFolder folder;
  ToolRun run = Spawn(args, input, folder / "out");
  run.out = ReadFileBytes(folder / "out");
  return run;
}

ToolRun RunToolOnTerminal(const std::vector<std::string>& args) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  char name[128];
  if (terminal < 0 || grantpt(terminal) != 0 || unlockpt(terminal) != 0 ||
      ptsname_r(terminal, name, sizeof name) != 0)
    throw std::runtime_error("no pseudo-terminal");
  ToolRun run = Spawn(args, "", name, terminal);
  close(terminal);
  return run;
}

void ExpectRuns(const std::vector<ExpectedRun>& cases,
                const std::function<std::string(std::string)>& expand) {
  for (const ExpectedRun& c : cases) {
    std::vector<std::string> args;
    std::string line;
    for (const std::string& word : c.args) {
      args.push_back(expand(word));
      line += " " + args.back();
    }
    const ToolRun run = RunTool(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << line;
    EXPECT_EQ(run.err, expand(c.err)) << line;
    if (c.exit_code != 0) {
      EXPECT_EQ(run.out, "") << line;
    }
  }
}

}  // namespace ovrabjt::testing

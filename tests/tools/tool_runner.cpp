#include "tool_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <stdexcept>
#include <string_view>

#include "support/temp_folder.h"

extern char** environ;

namespace ovrabjt::testing {

ToolRun RunTool(const std::vector<std::string>& args, const std::string& input) {
  // Files rather than pipes: nothing can block however much the tool says.
  TempFolder folder;
  const std::string in = folder / "in", out = folder / "out", err = folder / "err";
  WriteFileBytes(in, input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
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
  const int spawned =
      posix_spawn(&pid, OVRABJT_TOOL, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " OVRABJT_TOOL);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) throw std::runtime_error("lost the tool's process");

  ToolRun run;
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadFileBytes(out);
  run.err = ReadFileBytes(err);
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

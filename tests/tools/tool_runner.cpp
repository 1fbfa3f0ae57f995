#include "tool_runner.h"

#include <gtest/gtest.h>

#include <utility>

namespace ovrabjt::testing {

ToolRun RunTool(const std::vector<std::string>& args, const std::string& input) {
  ToolRun run = RunChild(OVRABJT_TOOL, args, input);
  run.err = MessageLines(std::move(run.err));
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

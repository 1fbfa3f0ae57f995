// The running program's own path: absolute, links resolved, naming this test
// program's file.
#include "platform/executable_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ovrabjt {
namespace {

TEST(ExecutablePath, NamesTheRunningProgramsOwnFile) {
  const std::optional<std::string> path = ExecutablePath();
  ASSERT_TRUE(path.has_value());
  const std::filesystem::path file(*path);
  EXPECT_TRUE(file.is_absolute()) << *path;
  EXPECT_EQ(file.filename(), "platform_tests");
  EXPECT_TRUE(std::filesystem::is_regular_file(file));
  EXPECT_FALSE(std::filesystem::is_symlink(file));
  EXPECT_EQ(std::filesystem::canonical(file), file);
}

}  // namespace
}  // namespace ovrabjt

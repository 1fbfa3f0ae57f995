// The files of a test's folder, and the one way SaveOvra and
// SaveMPSContentstoFile fail: 0, no file left behind, and an earlier file
// as it was.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace ovrabjt::test {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The names in the folder, sorted.
inline std::vector<std::string> Entries(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct SaveCase {
  const char* what;
  int code;
  // Runs the save into `target` (a path in the test's folder) and returns
  // its result.
  std::function<OvraBool(const std::filesystem::path& target)> save;
};

// Each save fails twice in the empty folder `dir`: without an earlier file
// (none is left) and over one (which keeps its bytes).
inline void ExpectFailedSaves(const std::filesystem::path& dir,
                              const std::vector<SaveCase>& cases) {
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " (code " + std::to_string(c.code) + ")");
    const std::filesystem::path target = dir / "out.xml";
    std::filesystem::remove_all(target);
    EXPECT_EQ(c.save(target), 0) << "without an earlier file";
    EXPECT_TRUE(Entries(dir).empty());

    WriteFile(target, "earlier contents");
    EXPECT_EQ(c.save(target), 0) << "over an earlier file";
    EXPECT_EQ(ReadFile(target), "earlier contents");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"out.xml"});
    std::filesystem::remove(target);
  }
}

}  // namespace ovrabjt::test

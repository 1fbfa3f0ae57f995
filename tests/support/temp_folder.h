// A fresh folder for a test's files, removed with everything in it when the
// test ends; and small helpers to put files there and look at them.
#pragma once

#include <string>
#include <vector>

namespace ovrabjt::testing {

class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  // The folder's path, without a trailing slash.
  const std::string& Path() const { return path_; }
  // The path of `name` inside the folder.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }
  // The names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces the file with exactly `bytes`.
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace ovrabjt::testing

#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace ovrabjt::testing {

// A name nobody else has: the folder is made by this call only (as
// mkdtemp makes it, on every system).
TempFolder::TempFolder() {
  const std::filesystem::path parent = std::filesystem::temp_directory_path();
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 64; ++attempt) {
    const std::filesystem::path folder =
        parent / ("ovrabjt-test-" + std::to_string(random() % 1000000000000ull));
    std::error_code error;
    if (std::filesystem::create_directory(folder, error)) {
      path_ = folder.generic_string();
      return;
    }
  }
  throw std::runtime_error("cannot create a folder in " + parent.string());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace ovrabjt::testing

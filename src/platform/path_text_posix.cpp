#include "platform/path_text.h"

namespace ovrabjt {

// The system takes a path as bytes, which the module reads as UTF-8 where
// it must name them (a document's system identifier).
std::string NarrowPathToUtf8(std::string_view name) { return std::string(name); }

std::filesystem::path FileSystemPath(std::string_view path) {
  return std::filesystem::path(std::string(path));
}

std::string GenericUtf8(const std::filesystem::path& path) { return path.generic_string(); }

}  // namespace ovrabjt

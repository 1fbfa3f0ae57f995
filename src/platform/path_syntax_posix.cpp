#include "platform/path_syntax.h"

namespace ovrabjt {

bool IsPathSeparator(char c) { return c == '/'; }

std::size_t FolderLength(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

bool IsRootedPath(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string PathOfFileUrlPath(std::string path) { return path; }

// A backslash is an ordinary character here, but a reference holding one
// was written for another system and names nothing relative here.
ReferenceKind KindOfReference(std::string_view path) {
  if (IsRootedPath(path)) return ReferenceKind::kAbsolute;
  if (path.find('\\') != std::string_view::npos) return ReferenceKind::kAbsolute;
  return ReferenceKind::kRelative;
}

}  // namespace ovrabjt

#include "platform/path_text.h"

#include <windows.h>

#include "platform/code_page.h"

namespace ovrabjt {

// The ANSI code page is the process's, as the system's own narrow file
// functions (CreateFileA) read it. A byte without a character in it becomes
// the code page's default character, as there.
std::string NarrowPathToUtf8(std::string_view name) {
  if (name.empty()) return {};
  const int length = static_cast<int>(name.size());
  const int units = ::MultiByteToWideChar(CP_ACP, 0, name.data(), length, nullptr, 0);
  if (units <= 0) return std::string(name);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, name.data(), length, wide.data(), units);
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::filesystem::path FileSystemPath(std::string_view path) {
  const std::u16string units = Utf8ToUtf16(path);
  return std::filesystem::path(std::wstring(units.begin(), units.end()));
}

std::string GenericUtf8(const std::filesystem::path& path) {
  return Utf16ToUtf8(path.generic_u16string());
}

}  // namespace ovrabjt

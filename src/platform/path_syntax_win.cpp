#include "platform/path_syntax.h"

#include <array>
#include <string>

namespace ovrabjt {
namespace {

// The names the system gives to devices in every folder, with any
// extension: "nul.dtd" is the device too.
constexpr std::array<std::string_view, 6> kDeviceNames = {"CON", "PRN",    "AUX",
                                                          "NUL", "CONIN$", "CONOUT$"};
// And these followed by a digit from 1 to 9.
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"COM", "LPT"};

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// The part of a file name the system compares with the device names: up
// to its first '.', without trailing blanks.
bool IsDeviceName(std::string_view component) {
  std::string_view stem = component.substr(0, component.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string upper = UpperCase(stem);
  for (std::string_view name : kDeviceNames) {
    if (upper == name) return true;
  }
  for (std::string_view name : kNumberedDeviceNames) {
    if (upper.size() == 4 && upper.compare(0, 3, name) == 0 && upper[3] >= '1' && upper[3] <= '9') {
      return true;
    }
  }
  return false;
}

bool NamesDeviceInAnyPart(std::string_view path) {
  for (std::size_t start = 0; start <= path.size();) {
    std::size_t end = start;
    while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    if (IsDeviceName(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

bool StartsWithTwoSeparators(std::string_view path) {
  return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

}  // namespace

bool IsPathSeparator(char c) { return c == '/' || c == '\\'; }

std::size_t FolderLength(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  if (separator != std::string_view::npos) return separator + 1;
  return path.size() >= 2 && path[1] == ':' ? 2 : 0;
}

// A drive's path in a URL follows the slash after the host: "/C:/a".
std::string PathOfFileUrlPath(std::string path) {
  const bool drive = path.size() >= 3 && path[0] == '/' && path[2] == ':' &&
                     ((path[1] >= 'A' && path[1] <= 'Z') || (path[1] >= 'a' && path[1] <= 'z'));
  if (drive) path.erase(0, 1);
  return path;
}

bool IsRootedPath(std::string_view path) {
  return (!path.empty() && IsPathSeparator(path.front())) || (path.size() >= 2 && path[1] == ':');
}

// "\\?\" hands the rest to the file system as it is; "\\.\" opens the
// device namespace; two separators at the start name a server.
ReferenceKind KindOfReference(std::string_view path) {
  if (StartsWithTwoSeparators(path) && path.size() >= 4 && IsPathSeparator(path[3])) {
    if (path[2] == '.') return ReferenceKind::kDevice;
    if (path[2] == '?') {
      const std::string upper = UpperCase(path.substr(4, 4));
      if (upper.size() == 4 && upper.compare(0, 3, "UNC") == 0 && IsPathSeparator(upper[3])) {
        return ReferenceKind::kNetwork;
      }
      return NamesDeviceInAnyPart(path.substr(4)) ? ReferenceKind::kDevice
                                                  : ReferenceKind::kAbsolute;
    }
  }
  if (StartsWithTwoSeparators(path)) return ReferenceKind::kNetwork;
  if (NamesDeviceInAnyPart(path)) return ReferenceKind::kDevice;
  if (IsRootedPath(path)) return ReferenceKind::kAbsolute;
  return ReferenceKind::kRelative;
}

}  // namespace ovrabjt

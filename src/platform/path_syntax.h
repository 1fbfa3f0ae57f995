// How the system spells paths: which characters separate folders, which
// references are relative, and which name no local file (the network, a
// device). The module's rules of what a document may read stand on these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ovrabjt {

// IsPathSeparator - whether `c` separates folders ('/'; on Windows '\\' too).
bool IsPathSeparator(char c);

// FolderLength - the length of the folder part of `path` (UTF-8), up to and
// with its last separator (on Windows also "C:"); 0 for a bare name.
std::size_t FolderLength(std::string_view path);

// IsRootedPath - whether `path` starts at a root or a drive rather than at
// the current folder ("/a"; on Windows also "\\a", "C:\\a", "C:a").
bool IsRootedPath(std::string_view path);

// PathOfFileUrlPath - the local path that the path part of a file: URL on
// this host names ("/drv/a" as it is; on Windows "/C:/drv/a" is "C:/drv/a").
std::string PathOfFileUrlPath(std::string path);

// What a reference (a path in UTF-8) names, as far as its spelling tells.
enum class ReferenceKind : std::uint8_t {
  kRelative,  // a path below a folder, "a/b.dtd"
  kAbsolute,  // a path from a root or a drive, "/a", "C:\a", "\\?\C:\a"
  kNetwork,   // a file on another machine, "\\server\share\a"
  kDevice,    // a device, "NUL", "\\.\COM1"
};
ReferenceKind KindOfReference(std::string_view path);

}  // namespace ovrabjt

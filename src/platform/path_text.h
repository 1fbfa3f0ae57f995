// File names as the module's callers and the system give them, and as the
// module carries them: UTF-8 text inside the module on every platform.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ovrabjt {

// NarrowPathToUtf8 - a caller's narrow file name as the module's UTF-8
// path. The system's narrow file functions read it: bytes on POSIX, text in
// the process's ANSI code page on Windows.
std::string NarrowPathToUtf8(std::string_view name);

// FileSystemPath - a UTF-8 path as std::filesystem takes it.
std::filesystem::path FileSystemPath(std::string_view path);

// GenericUtf8 - a std::filesystem path as UTF-8, its parts joined by '/'.
std::string GenericUtf8(const std::filesystem::path& path);

}  // namespace ovrabjt

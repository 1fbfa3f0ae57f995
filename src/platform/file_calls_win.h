// The Win32 calls of the file layer, one pointer each, so that tests can
// stand in for them; and the two conversions the Windows files share.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file.h"

namespace ovrabjt {

struct FileSystemCalls {
  HANDLE (*create)(const wchar_t* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);
  BOOL (*information)(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
  DWORD (*type)(HANDLE file);
  BOOL (*read)(HANDLE file, void* buffer, DWORD count, DWORD* got);
  BOOL (*write)(HANDLE file, const void* bytes, DWORD count, DWORD* done);
  BOOL (*flush)(HANDLE file);
  BOOL (*close)(HANDLE file);
  BOOL (*remove)(const wchar_t* path);
  BOOL (*move)(const wchar_t* from, const wchar_t* to, DWORD flags);
  // ReplaceFileW: the replaced file's name first, then the replacement's.
  BOOL (*replace)(const wchar_t* replaced, const wchar_t* replacement);
  // The process heap, for the buffer that holds a file's contents.
  void* (*calloc)(std::size_t count, std::size_t size);
};

// WindowsError - a Win32 error code as the portable error the callers
// compare with (std::errc), the system's number kept for its message.
std::error_code WindowsError(DWORD code);
inline std::error_code LastWindowsError() { return WindowsError(::GetLastError()); }

// WidePath - a UTF-8 path for the wide functions. A path of MAX_PATH
// characters or more is made absolute with the "\\?\" prefix, which lifts
// the limit; an empty result means the path holds a NUL.
std::wstring WidePath(std::string_view path);

// FullPath - the absolute form of `path` ("." and ".." resolved); `path`
// itself when the system cannot tell.
std::wstring FullPath(const std::wstring& path);

}  // namespace ovrabjt

#include "platform/file_identity.h"

#include <windows.h>

#include "platform/file_calls_win.h"

namespace ovrabjt {
namespace {

// File times count 100-nanosecond ticks from 1601; the identity compares
// them only with each other.
std::optional<FileIdentity> RegularFileIdentity(const std::string& path, DWORD flags) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return std::nullopt;
  // Neither reading nor writing: the file's information only, whoever
  // holds it open.
  const HANDLE file =
      ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, flags, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known =
      ::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  ::CloseHandle(file);
  if (!known) return std::nullopt;
  const auto join = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  return FileIdentity{
      info.dwVolumeSerialNumber, join(info.nFileIndexHigh, info.nFileIndexLow),
      join(info.nFileSizeHigh, info.nFileSizeLow),
      static_cast<std::int64_t>(
          join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) * 100)};
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  return RegularFileIdentity(path, FILE_ATTRIBUTE_NORMAL);
}

std::optional<FileIdentity> LinkIdentityOf(const std::string& path) {
  return RegularFileIdentity(path, FILE_FLAG_OPEN_REPARSE_POINT);
}

}  // namespace ovrabjt

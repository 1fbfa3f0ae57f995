#include "platform/replacement_file.h"

#include <windows.h>

#include "platform/code_page.h"
#include "platform/file_calls_win.h"
#include "platform/path_syntax.h"
#include "platform/temporary_name.h"

#undef DeleteFile

namespace ovrabjt {
namespace {

// File times count 100-nanosecond ticks.
constexpr std::int64_t kTicksPerSecond = 10'000'000;

std::int64_t Ticks(FILETIME time) {
  return static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime);
}

// Removes `path` when it is a temporary file its writer left: a regular
// file, no link, unchanged for the stale age, and open nowhere else (a
// living writer shares it for reading only, so the open for deletion fails).
// The handle deletes exactly the file looked at.
void RemoveIfLeftBehind(const std::wstring& path, std::int64_t now) {
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ | DELETE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileInformationByHandle(file, &info) &&
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
      now - Ticks(info.ftLastWriteTime) >= ReplacementFile::kStaleAfterSeconds * kTicksPerSecond) {
    FILE_DISPOSITION_INFO disposition{TRUE};  // delete when closed
    ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
  }
  ::CloseHandle(file);
}

// The attributes a user gives a file (hidden, system, not indexed) stay
// with the replacement, whichever way it took the target's place.
void KeepAttributes(const std::wstring& target, DWORD previous) {
  constexpr DWORD kKept =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (previous == INVALID_FILE_ATTRIBUTES) return;
  const DWORD now = ::GetFileAttributesW(target.c_str());
  if (now == INVALID_FILE_ATTRIBUTES || (now & kKept) == (previous & kKept)) return;
  ::SetFileAttributesW(target.c_str(), (now & ~kKept) | (previous & kKept));
}

}  // namespace

// Links are not followed here: a replacement of a link's name replaces the
// link, as the system's own replacement does.
std::error_code ReplacementFile::BeginOn(const std::string& target, const FileSystemCalls& calls) {
  target_path_ = target;
  folder_ = target_path_.substr(0, FolderLength(target_path_));

  // The probe fails for a read-only file, a folder and a file another
  // handle holds without sharing, each with its own error.
  File probe;
  std::error_code error =
      File::OpenForWriting(target_path_, WriteMode::kExistingOnly, probe, calls);
  if (error == std::errc::no_such_file_or_directory) {
    final_.permissions = DefaultPermissions();
    adopt_owner_ = false;
  } else if (error) {
    return error;
  } else {
    FileInfo info;
    if ((error = probe.Status(info))) return error;
    if (info.kind == FileKind::kDirectory) return std::make_error_code(std::errc::is_a_directory);
    if (info.kind != FileKind::kRegular) {
      file_ = std::move(probe);
      return BeginDirect();
    }
    // Windows refuses to write a read-only file, except to a process that
    // may override it: it is not replaced behind its back either.
    if ((info.permissions & 0222) == 0) return std::make_error_code(std::errc::permission_denied);
    probe.Close();
    previous_attributes_ = ::GetFileAttributesW(WidePath(target_path_).c_str());
    final_.permissions = info.permissions;
    adopt_owner_ = true;  // a previous file exists: it is replaced, not moved over
  }
  RemoveStaleTemporaries();
  return OpenTemporary();
}

// A device or a pipe has no contents to keep: it was opened by the probe
// and is written directly.
std::error_code ReplacementFile::BeginDirect() {
  direct_ = true;
  working_path_ = target_path_;
  return {};
}

void ReplacementFile::RemoveStaleTemporaries() const {
  const std::wstring folder = WidePath(folder_.empty() ? "." : folder_);
  const std::wstring pattern =
      folder +
      (folder.back() == L'\\' || folder.back() == L'/' || folder.back() == L':' ? L"*" : L"\\*");
  WIN32_FIND_DATAW entry{};
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  const std::string target_name = target_path_.substr(folder_.size());
  FILETIME now_time{};
  ::GetSystemTimeAsFileTime(&now_time);
  const std::int64_t now = Ticks(now_time);
  do {
    const std::u16string name(entry.cFileName, entry.cFileName + ::lstrlenW(entry.cFileName));
    if (IsTemporaryName(Utf16ToUtf8(name), target_name)) {
      RemoveIfLeftBehind(WidePath(folder_ + Utf16ToUtf8(name)), now);
    }
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
}

// ReplaceFileW keeps the previous file's attributes and security; where it
// fails (some file systems, or Wine with some names) the temporary file is
// moved over the target in one step instead, written through.
std::error_code ReplacementFile::ReplaceTarget() {
  // ReplaceFileW fails on relative names.
  const std::wstring target = FullPath(WidePath(target_path_));
  const std::wstring temporary = FullPath(WidePath(working_path_));
  if (!adopt_owner_ || !calls_->replace(target.c_str(), temporary.c_str())) {
    if (!calls_->move(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastWindowsError();
    }
  }
  replaced_ = true;
  KeepAttributes(target, previous_attributes_);
  Reset();
  return {};
}

}  // namespace ovrabjt

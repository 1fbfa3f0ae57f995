#include "platform/file.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/code_page.h"
#include "platform/file_calls_win.h"

// The system's header names its own DeleteFileA or DeleteFileW so.
#undef DeleteFile

namespace ovrabjt {
namespace {

// Wrappers, so that a test's stand-ins have the same shape.
HANDLE SystemCreate(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags) {
  return ::CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}
BOOL SystemInformation(HANDLE file, BY_HANDLE_FILE_INFORMATION* info) {
  return ::GetFileInformationByHandle(file, info);
}
DWORD SystemType(HANDLE file) { return ::GetFileType(file); }
BOOL SystemRead(HANDLE file, void* buffer, DWORD count, DWORD* got) {
  return ::ReadFile(file, buffer, count, got, nullptr);
}
BOOL SystemWrite(HANDLE file, const void* bytes, DWORD count, DWORD* done) {
  return ::WriteFile(file, bytes, count, done, nullptr);
}
BOOL SystemFlush(HANDLE file) { return ::FlushFileBuffers(file); }
BOOL SystemClose(HANDLE file) { return ::CloseHandle(file); }
BOOL SystemRemove(const wchar_t* path) { return ::DeleteFileW(path); }
BOOL SystemMove(const wchar_t* from, const wchar_t* to, DWORD flags) {
  return ::MoveFileExW(from, to, flags);
}
BOOL SystemReplace(const wchar_t* replaced, const wchar_t* replacement) {
  return ::ReplaceFileW(replaced, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr);
}
void* SystemCalloc(std::size_t count, std::size_t size) { return std::calloc(count, size); }

constexpr FileSystemCalls kSystemCalls = {
    &SystemCreate, &SystemInformation, &SystemType, &SystemRead,    &SystemWrite,  &SystemFlush,
    &SystemClose,  &SystemRemove,      &SystemMove, &SystemReplace, &SystemCalloc,
};

// Others may read, write, rename or delete a file while it is read, as on
// POSIX; a file being written may only be read.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kMaxTransfer = DWORD{1} << 30;

// The Win32 errors the module meets, as the portable errors its callers
// test for; the others keep their number in the system's category.
struct ErrorMapping {
  DWORD win32;
  std::errc portable;
};
constexpr ErrorMapping kErrors[] = {
    {ERROR_FILE_NOT_FOUND, std::errc::no_such_file_or_directory},
    {ERROR_PATH_NOT_FOUND, std::errc::no_such_file_or_directory},
    {ERROR_INVALID_DRIVE, std::errc::no_such_file_or_directory},
    {ERROR_BAD_NETPATH, std::errc::no_such_file_or_directory},
    {ERROR_ACCESS_DENIED, std::errc::permission_denied},
    {ERROR_WRITE_PROTECT, std::errc::read_only_file_system},
    {ERROR_SHARING_VIOLATION, std::errc::device_or_resource_busy},
    {ERROR_LOCK_VIOLATION, std::errc::operation_would_block},
    {ERROR_FILE_EXISTS, std::errc::file_exists},
    {ERROR_ALREADY_EXISTS, std::errc::file_exists},
    {ERROR_DISK_FULL, std::errc::no_space_on_device},
    {ERROR_HANDLE_DISK_FULL, std::errc::no_space_on_device},
    {ERROR_INVALID_NAME, std::errc::invalid_argument},
    {ERROR_INVALID_PARAMETER, std::errc::invalid_argument},
    {ERROR_FILENAME_EXCED_RANGE, std::errc::filename_too_long},
    {ERROR_DIRECTORY, std::errc::not_a_directory},
    {ERROR_NOT_ENOUGH_MEMORY, std::errc::not_enough_memory},
    {ERROR_OUTOFMEMORY, std::errc::not_enough_memory},
    {ERROR_INVALID_HANDLE, std::errc::bad_file_descriptor},
    {ERROR_BROKEN_PIPE, std::errc::broken_pipe},
    {ERROR_NO_DATA, std::errc::broken_pipe},
    {ERROR_PIPE_BUSY, std::errc::device_or_resource_busy},
};

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }
std::intptr_t FromHandle(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

DWORD DispositionFor(WriteMode mode) {
  switch (mode) {
    case WriteMode::kCreateOrTruncate:
      return CREATE_ALWAYS;
    case WriteMode::kCreateNew:
    case WriteMode::kCreatePrivate:
      return CREATE_NEW;
    case WriteMode::kExistingOnly:
      break;
  }
  return OPEN_EXISTING;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder cannot be opened as a file: the system says "access denied",
// which the callers are told as what it is.
std::error_code OpenError(const std::wstring& path) {
  const DWORD code = ::GetLastError();
  if (code == ERROR_ACCESS_DENIED && IsFolder(path)) {
    return std::make_error_code(std::errc::is_a_directory);
  }
  return WindowsError(code);
}

bool IsDriveAbsolute(const std::wstring& path) {
  return path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

}  // namespace

std::error_code WindowsError(DWORD code) {
  for (const ErrorMapping& mapping : kErrors) {
    if (mapping.win32 == code) return std::make_error_code(mapping.portable);
  }
  return {static_cast<int>(code), std::system_category()};
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD length = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return path;
  full.resize(length);
  return full;
}

std::wstring WidePath(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return {};
  const std::u16string units = Utf8ToUtf16(path);
  std::wstring wide(units.begin(), units.end());
  if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  // The prefixed form is taken literally: it must be absolute, with
  // backslashes and without "." or "..", which the full path resolves.
  const std::wstring full = FullPath(wide);
  if (IsDriveAbsolute(full)) return L"\\\\?\\" + full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return wide;
}

const FileSystemCalls& SystemFileCalls() { return kSystemCalls; }

std::error_code File::OpenForReading(std::string_view path, File& out, const FileSystemCalls& calls,
                                     std::optional<FileInfo>* status) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return std::make_error_code(std::errc::invalid_argument);
  const HANDLE handle =
      calls.create(wide.c_str(), GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
  if (handle == INVALID_HANDLE_VALUE) return OpenError(wide);
  out = File(FromHandle(handle), calls);
  FileInfo info;
  if (status != nullptr && !out.Status(info)) *status = info;
  return {};
}

// A pipe without a reader fails at once: opening a named pipe never waits
// for its server.
std::error_code File::OpenForWriting(std::string_view path, WriteMode mode, File& out,
                                     const FileSystemCalls& calls) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return std::make_error_code(std::errc::invalid_argument);
  const HANDLE handle = calls.create(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                     DispositionFor(mode), FILE_ATTRIBUTE_NORMAL);
  if (handle == INVALID_HANDLE_VALUE) return OpenError(wide);
  out = File(FromHandle(handle), calls);
  return {};
}

// Windows has no permission bits: a read-only file says 0444, any other
// 0666, and there is no owner in POSIX terms.
std::error_code File::Status(FileInfo& info) const {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  if (calls_->type(AsHandle(handle_)) != FILE_TYPE_DISK) {
    info = FileInfo{};
    info.kind = FileKind::kOther;
    return {};
  }
  BY_HANDLE_FILE_INFORMATION status{};
  if (!calls_->information(AsHandle(handle_), &status)) return LastWindowsError();
  info.kind = (status.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kDirectory
                                                                        : FileKind::kRegular;
  info.size = (std::uint64_t{status.nFileSizeHigh} << 32) | status.nFileSizeLow;
  info.permissions = (status.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;
  info.owner = 0;
  info.group = 0;
  return {};
}

std::error_code File::Read(void* buffer, std::size_t count, std::size_t& got) {
  got = 0;
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  auto* into = static_cast<char*>(buffer);
  while (got < count) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count - got, kMaxTransfer));
    DWORD n = 0;
    if (!calls_->read(AsHandle(handle_), into + got, piece, &n)) {
      // A pipe whose writer closed has simply ended.
      if (::GetLastError() == ERROR_BROKEN_PIPE) break;
      return LastWindowsError();
    }
    if (n == 0) break;  // end of file
    got += n;
  }
  return {};
}

std::error_code File::Write(const void* bytes, std::size_t count) {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  const auto* from = static_cast<const char*>(bytes);
  std::size_t done = 0;
  while (done < count) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(count - done, kMaxTransfer));
    DWORD n = 0;
    if (!calls_->write(AsHandle(handle_), from + done, piece, &n)) return LastWindowsError();
    if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
    done += n;
  }
  return {};
}

// A replacement keeps the previous file's security itself (ReplaceFileW).
void File::AdoptOwner(const FileInfo&) {}

// The one bit Windows has: without any write bit the file is read-only.
std::error_code File::SetPermissions(std::uint32_t permissions) {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  FILE_BASIC_INFO basic{};
  if (!::GetFileInformationByHandleEx(AsHandle(handle_), FileBasicInfo, &basic, sizeof basic)) {
    return LastWindowsError();
  }
  const DWORD before = basic.FileAttributes;
  if ((permissions & 0222) == 0) {
    basic.FileAttributes |= FILE_ATTRIBUTE_READONLY;
  } else {
    basic.FileAttributes &= ~DWORD{FILE_ATTRIBUTE_READONLY};
  }
  if (basic.FileAttributes == before) return {};
  if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  return ::SetFileInformationByHandle(AsHandle(handle_), FileBasicInfo, &basic, sizeof basic)
             ? std::error_code()
             : LastWindowsError();
}

// The whole file's range, exclusively: other handles can then neither take
// the lock nor touch the bytes.
std::error_code File::TryLock() {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  OVERLAPPED from_start{};
  return ::LockFileEx(AsHandle(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                      MAXDWORD, MAXDWORD, &from_start)
             ? std::error_code()
             : LastWindowsError();
}

std::error_code File::Sync() {
  if (!IsOpen()) return std::make_error_code(std::errc::bad_file_descriptor);
  return calls_->flush(AsHandle(handle_)) ? std::error_code() : LastWindowsError();
}

std::error_code File::Close() {
  if (!IsOpen()) return {};
  const HANDLE handle = AsHandle(std::exchange(handle_, -1));
  return calls_->close(handle) ? std::error_code() : LastWindowsError();
}

std::error_code DeleteFile(std::string_view path, const FileSystemCalls& calls) {
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return std::make_error_code(std::errc::invalid_argument);
  return calls.remove(wide.c_str()) ? std::error_code() : LastWindowsError();
}

std::error_code RenameFile(std::string_view from, std::string_view to,
                           const FileSystemCalls& calls) {
  const std::wstring wide_from = WidePath(from);
  const std::wstring wide_to = WidePath(to);
  if (wide_from.empty() || wide_to.empty()) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  return calls.move(wide_from.c_str(), wide_to.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? std::error_code()
             : LastWindowsError();
}

// A folder's entries cannot be flushed by a process without backup rights;
// the replacement itself is written through (MOVEFILE_WRITE_THROUGH).
std::error_code SyncFolder(std::string_view, const FileSystemCalls&) { return {}; }

std::uint32_t DefaultPermissions() { return 0666; }

HeapBuffer AllocateZeroed(std::size_t size, const FileSystemCalls& calls) {
  return HeapBuffer(static_cast<char*>(calls.calloc(size == 0 ? 1 : size, 1)));
}

}  // namespace ovrabjt

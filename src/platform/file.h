// The file layer: the few file operations the module needs (open an existing
// file for reading, learn what it is, read it, create or truncate one for
// writing, write, lock, close, delete, rename, sync a folder). Reads and
// writes run to completion: short transfers are continued and interrupted
// calls retried. No open waits for a peer (a pipe without a reader or
// writer). Others may read a file while the module writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace ovrabjt {

// The system calls the file layer makes, defined by each platform's file
// (file_calls_posix.h, file_calls_win.h). The module always uses SystemFileCalls(); tests pass
// calls that fail, transfer little or report a size of their own.
struct FileSystemCalls;

// SystemFileCalls - the calls of the system's C library.
const FileSystemCalls& SystemFileCalls();

enum class FileKind : std::uint8_t {
  kRegular,
  kDirectory,
  kOther,  // a pipe, a device, a socket: no contents of a known size
};

// What the file layer tells of an open file. Permissions, owner and group
// are in POSIX terms; a platform without them reports 0666 (0444 when the
// file is read-only) and no owner.
struct FileInfo {
  FileKind kind = FileKind::kOther;
  std::uint64_t size = 0;
  std::uint32_t permissions = 0;  // the bits 07777
  std::uint32_t owner = 0;
  std::uint32_t group = 0;
};

// How a file is opened for writing. New files get the permission bits
// rw-rw-rw- less the process's umask, except private ones.
enum class WriteMode : std::uint8_t {
  kCreateOrTruncate,  // a new file, or the existing one emptied
  kCreateNew,         // a new file only; fails when the name exists
  kCreatePrivate,     // as kCreateNew, readable and writable by the owner only
  kExistingOnly,      // the existing file, kept as it is
};

// An open file; closed when destroyed. Every operation returns the system's
// error, empty on success.
class File {
 public:
  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  // OpenForReading - opens an existing file for reading. A folder is refused
  // (EISDIR) as it cannot be read as a file; a pipe without a writer opens
  // at once, with nothing to read. With `status`, also what Status tells of
  // the file just opened, read once with the opening; left empty when it
  // could not be read, for Status to say why.
  static std::error_code OpenForReading(std::string_view path, File& out,
                                        const FileSystemCalls& calls = SystemFileCalls(),
                                        std::optional<FileInfo>* status = nullptr);
  // OpenForWriting - opens a file for writing as `mode` says. A pipe without
  // a reader fails at once (ENXIO); with a reader, writes wait for it.
  static std::error_code OpenForWriting(std::string_view path, WriteMode mode, File& out,
                                        const FileSystemCalls& calls = SystemFileCalls());

  bool IsOpen() const { return handle_ >= 0; }

  // Status - what the file is, its size, permissions and owner.
  std::error_code Status(FileInfo& info) const;
  // Size - the file's length in bytes.
  std::error_code Size(std::uint64_t& size) const;
  // Read - reads until `count` bytes are in `buffer` or the file ends;
  // `got` says how many arrived (also when an error stops the reading).
  std::error_code Read(void* buffer, std::size_t count, std::size_t& got);
  // Write - writes all `count` bytes. A write that makes no progress is an
  // error (ENOSPC), so a full device cannot make it spin.
  std::error_code Write(const void* bytes, std::size_t count);
  // AdoptOwner - gives the file the owner and group of `like` where the
  // process may; others keep it as theirs, which is no failure.
  void AdoptOwner(const FileInfo& like);
  // SetPermissions - gives the file the permission bits (07777).
  std::error_code SetPermissions(std::uint32_t permissions);
  // TryLock - takes the advisory lock of the file (one holder at a time,
  // whichever process or thread), without waiting: EWOULDBLOCK when another
  // open of the file holds it. Closing the file releases it.
  std::error_code TryLock();
  // Sync - puts what was written on the storage device.
  std::error_code Sync();
  // Close - closes the file; an error here can mean that written data was
  // lost. The file counts as closed afterwards in any case.
  std::error_code Close();

 private:
  File(std::intptr_t handle, const FileSystemCalls& calls) : handle_(handle), calls_(&calls) {}

  // The system's descriptor or handle; -1 when closed.
  std::intptr_t handle_ = -1;
  const FileSystemCalls* calls_ = nullptr;
};

// DeleteFile - removes the file `path`.
std::error_code DeleteFile(std::string_view path, const FileSystemCalls& calls = SystemFileCalls());

// RenameFile - gives the file `from` the name `to`, replacing a file of that
// name in one step.
std::error_code RenameFile(std::string_view from, std::string_view to,
                           const FileSystemCalls& calls = SystemFileCalls());

// SyncFolder - puts the folder's entries (a rename into it) on the storage
// device. A file system that cannot sync a folder is no failure.
std::error_code SyncFolder(std::string_view folder,
                           const FileSystemCalls& calls = SystemFileCalls());

// DefaultPermissions - the permission bits a new file gets: rw-rw-rw- less
// the process's umask.
std::uint32_t DefaultPermissions();

// A zero-filled block of the process heap.
struct HeapFree {
  void operator()(char* block) const noexcept { std::free(block); }
};
using HeapBuffer = std::unique_ptr<char[], HeapFree>;

// AllocateZeroed - `size` zero bytes (at least one byte is allocated, so an
// empty file has a buffer too); null when the heap has no room.
HeapBuffer AllocateZeroed(std::size_t size, const FileSystemCalls& calls = SystemFileCalls());

}  // namespace ovrabjt

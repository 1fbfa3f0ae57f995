// The file layer: the few file operations the module needs (open an existing
// file for reading, learn its size, read it, create or truncate one for
// writing, write, close, delete, rename), over POSIX calls. Reads and writes
// run to completion: short transfers are continued and interrupted calls
// retried. Others may read a file while the module writes it.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>

namespace ovrabjt {

// The system calls the file layer makes. The module always uses
// SystemFileCalls(); tests pass calls that fail, transfer little or report
// a size of their own.
struct FileSystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*fstat)(int fd, struct stat* info);
  ssize_t (*read)(int fd, void* buffer, std::size_t count);
  ssize_t (*write)(int fd, const void* bytes, std::size_t count);
  int (*fsync)(int fd);
  int (*close)(int fd);
  int (*unlink)(const char* path);
  int (*rename)(const char* from, const char* to);
  // The process heap, for the buffer that holds a file's contents.
  void* (*calloc)(std::size_t count, std::size_t size);
};

// SystemFileCalls - the calls of the C library.
const FileSystemCalls& SystemFileCalls();

// How a file is opened for writing. New files get the permission bits
// rw-rw-rw- less the process's umask.
enum class WriteMode : std::uint8_t {
  kCreateOrTruncate,  // a new file, or the existing one emptied
  kCreateNew,         // a new file only; fails when the name exists
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
  // (EISDIR) as it cannot be read as a file.
  static std::error_code OpenForReading(std::string_view path, File& out,
                                        const FileSystemCalls& calls = SystemFileCalls());
  // OpenForWriting - opens a file for writing as `mode` says.
  static std::error_code OpenForWriting(std::string_view path, WriteMode mode, File& out,
                                        const FileSystemCalls& calls = SystemFileCalls());

  bool IsOpen() const { return fd_ >= 0; }

  // Status - the file's system information (size, type, permission bits).
  std::error_code Status(struct stat& info) const;
  // Size - the file's length in bytes.
  std::error_code Size(std::uint64_t& size) const;
  // Read - reads until `count` bytes are in `buffer` or the file ends;
  // `got` says how many arrived (also when an error stops the reading).
  std::error_code Read(void* buffer, std::size_t count, std::size_t& got);
  // Write - writes all `count` bytes. A write that makes no progress is an
  // error (ENOSPC), so a full device cannot make it spin.
  std::error_code Write(const void* bytes, std::size_t count);
  // AdoptOwnerAndMode - gives the file the owner of `like` where the process
  // may change it, and its permission bits.
  std::error_code AdoptOwnerAndMode(const struct stat& like);
  // Sync - puts what was written on the storage device.
  std::error_code Sync();
  // Close - closes the file; an error here can mean that written data was
  // lost. The file counts as closed afterwards in any case.
  std::error_code Close();

 private:
  File(int fd, const FileSystemCalls& calls) : fd_(fd), calls_(&calls) {}

  int fd_ = -1;
  const FileSystemCalls* calls_ = nullptr;
};

// DeleteFile - removes the file `path`.
std::error_code DeleteFile(std::string_view path, const FileSystemCalls& calls = SystemFileCalls());

// RenameFile - gives the file `from` the name `to`, replacing a file of that
// name in one step.
std::error_code RenameFile(std::string_view from, std::string_view to,
                           const FileSystemCalls& calls = SystemFileCalls());

// A zero-filled block of the process heap.
struct HeapFree {
  void operator()(char* block) const noexcept { std::free(block); }
};
using HeapBuffer = std::unique_ptr<char[], HeapFree>;

// AllocateZeroed - `size` zero bytes (at least one byte is allocated, so an
// empty file has a buffer too); null when the heap has no room.
HeapBuffer AllocateZeroed(std::size_t size, const FileSystemCalls& calls = SystemFileCalls());

}  // namespace ovrabjt

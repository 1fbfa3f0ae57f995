// File-system calls for tests: the system's own, except where a test asks
// for a failure, a short transfer, an interrupted call, a size of its own or
// an empty heap. One FakeFileSystem is in force at a time.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_calls_posix.h"

namespace ovrabjt::testing {

class FakeFileSystem {
 public:
  FakeFileSystem();
  FakeFileSystem(const FakeFileSystem&) = delete;
  FakeFileSystem& operator=(const FakeFileSystem&) = delete;
  ~FakeFileSystem();

  // The calls to hand to the code under test.
  const FileSystemCalls& Calls() const;

  // Each errno, when not 0, makes every such call fail with it.
  int open_errno = 0;
  int fstat_errno = 0;
  int read_errno = 0;
  int fsync_errno = 0;  // files only
  int fsync_folder_errno = 0;
  int close_errno = 0;  // the descriptor is closed all the same
  int rename_errno = 0;
  // Writes fail with `write_errno` once this many bytes went through.
  int write_errno = 0;
  std::size_t write_fails_after = 0;
  // Writes that succeed but transfer nothing once this many bytes went
  // through (a device that has filled up without saying so).
  std::optional<std::size_t> write_stalls_after;
  // At most this many bytes per read or write call (0: no limit).
  std::size_t max_transfer = 0;
  // Every other read and write call is interrupted by a signal first.
  bool interrupt = false;
  // The size fstat reports for regular files.
  std::optional<std::int64_t> size;
  bool heap_empty = false;

  // What went through.
  std::size_t bytes_written = 0;
  int interrupted_calls = 0;
  int write_calls = 0;
  // The permission bits each created file was asked for, in order.
  std::vector<mode_t> create_modes;
  // The calls that decide what survives a crash, in order: "create",
  // "fsync file", "fsync folder", "rename", "unlink".
  std::vector<std::string> events;
};

}  // namespace ovrabjt::testing

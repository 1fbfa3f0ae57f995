// The POSIX system calls of the file layer, one pointer each, so that tests
// can stand in for them (tests/support/fake_file_system.h).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>

#include "platform/file.h"

namespace ovrabjt {

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

}  // namespace ovrabjt

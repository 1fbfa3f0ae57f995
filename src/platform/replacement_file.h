// Saving over a file without risking it: the new contents go to a temporary
// file in the target's folder, which replaces the target in one step only
// once it is completely written. A save that fails on the way leaves any
// previous file exactly as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file.h"

namespace ovrabjt {

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  // Discards a temporary file that was not put in place.
  ~ReplacementFile();

  // Begin - opens a new temporary file beside `target` (beside the file a
  // symbolic link names, so the link stays). An existing target must be a
  // file this process may write; the temporary file takes its owner (where
  // allowed) and permission bits. A target that exists but is no regular
  // file (a device, a pipe) has no contents to protect and is written
  // directly. Returns the system's error; nothing is left behind on failure.
  std::error_code Begin(std::string_view target, const FileSystemCalls& calls = SystemFileCalls());

  // Write - appends all `count` bytes to the temporary file.
  std::error_code Write(const void* bytes, std::size_t count);

  // Finish - puts the written bytes on the storage device and closes the
  // temporary file.
  std::error_code Finish();

  // PutInPlace - gives the finished temporary file the target's name,
  // replacing the previous file in one step.
  std::error_code PutInPlace();

  // Discard - closes and removes the temporary file; the target is left as
  // it was. Does nothing when no file is open or pending.
  void Discard() noexcept;

  bool IsOpen() const { return file_.IsOpen(); }
  // The name being written (the target itself when written directly); empty
  // before Begin and after PutInPlace or Discard.
  const std::string& WorkingPath() const { return working_path_; }

 private:
  std::error_code OpenTemporary(const struct stat* previous);
  void Reset() noexcept;

  File file_;
  const FileSystemCalls* calls_ = nullptr;
  std::string target_path_;
  std::string working_path_;
  bool direct_ = false;
};

}  // namespace ovrabjt

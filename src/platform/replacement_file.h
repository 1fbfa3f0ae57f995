// Saving over a file without risking it: the new contents go to a temporary
// file in the target's folder, which replaces the target in one step only
// once it is completely written. A save that fails on the way leaves any
// previous file exactly as it was.
//
// The temporary file is readable by its owner only until it is complete; it
// then takes the target's permissions (a new target's: rw-rw-rw- less the
// umask) and owner, replaces the target, and the folder is synced so that
// the replacement survives a power loss. Its name says whose it is
// (temporary_name.h), and its writer holds its lock: a save removes the
// temporary files of its target that a killed save left, those unlocked and
// unchanged for kStaleAfterSeconds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file.h"

namespace ovrabjt {

class ReplacementFile {
 public:
  // How long a temporary file must have been left unchanged, and unlocked,
  // before another save of its target removes it.
  static constexpr std::int64_t kStaleAfterSeconds = 60;

  ReplacementFile() = default;
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  // Discards a temporary file that was not put in place.
  ~ReplacementFile();

  // Begin - opens a new temporary file beside `target` (beside the file a
  // symbolic link names, so the link stays), after removing its stale
  // temporary files. An existing target must be a file this process may
  // write. A target that exists but is no regular file (a device, a pipe)
  // has no contents to protect and is written directly; a pipe without a
  // reader fails at once (ENXIO). Returns the system's error; nothing is
  // left behind on failure.
  std::error_code Begin(std::string_view target, const FileSystemCalls& calls = SystemFileCalls());

  // Write - appends all `count` bytes to the temporary file.
  std::error_code Write(const void* bytes, std::size_t count);

  // Finish - gives the temporary file the target's permissions and owner,
  // puts the written bytes on the storage device and closes it.
  std::error_code Finish();

  // PutInPlace - gives the finished temporary file the target's name,
  // replacing the previous file in one step, and syncs the folder. An error
  // of the folder's sync comes after the replacement: Replaced() tells.
  std::error_code PutInPlace();

  // Discard - closes and removes the temporary file; the target is left as
  // it was. Does nothing when no file is open or pending.
  void Discard() noexcept;

  bool IsOpen() const { return file_.IsOpen(); }
  // Whether the last PutInPlace replaced the target.
  bool Replaced() const { return replaced_; }
  // The name being written (the target itself when written directly); empty
  // before Begin and after PutInPlace or Discard.
  const std::string& WorkingPath() const { return working_path_; }

 private:
  // BeginOn - Begin for a target that is a path, by the platform's rules.
  std::error_code BeginOn(const std::string& target, const FileSystemCalls& calls);
  std::error_code BeginDirect();
  // ReplaceTarget - PutInPlace for a finished temporary file.
  std::error_code ReplaceTarget();
  std::error_code OpenTemporary();
  void RemoveStaleTemporaries() const;
  void Reset() noexcept;

  File file_;
  const FileSystemCalls* calls_ = nullptr;
  std::string target_path_;
  std::string folder_;  // the target's folder, "" for the current one
  std::string working_path_;
  FileInfo final_;  // the permissions and owner the file gets
  bool adopt_owner_ = false;
  bool direct_ = false;
  bool replaced_ = false;
  // The previous file's attribute bits where the system has such (Windows);
  // all ones for none.
  std::uint32_t previous_attributes_ = ~std::uint32_t{0};
};

}  // namespace ovrabjt

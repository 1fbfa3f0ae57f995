// Which file a path names now, so that a file edited or replaced on disk
// is told apart from the one read before.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ovrabjt {

// Which file a path names now; equal identities mean unchanged contents.
struct FileIdentity {
  std::uint64_t device;
  std::uint64_t inode;
  std::uint64_t size;
  std::int64_t modified_ns;  // since the epoch
  bool operator==(const FileIdentity&) const = default;
};

// IdentityOf - the identity of the regular file `path` (UTF-8, followed
// through symbolic links); empty when it is missing or not a regular file.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// LinkIdentityOf - the same for `path` itself, not followed: empty for a
// symbolic link too.
std::optional<FileIdentity> LinkIdentityOf(const std::string& path);

}  // namespace ovrabjt

// The names of a save's temporary files: hidden, beside the target, made of
// the target's name, a mark that says they are the module's and a part of
// their own, and never longer than a file name may be. Any name of that
// pattern for a target is a temporary file of a save of that target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ovrabjt {

// The longest file name (one component of a path) the file systems allow.
inline constexpr std::size_t kMaxFileNameBytes = 255;

// TemporaryName - the name, without folder, of a temporary file for the
// target named `target_name` (its last component); `unique` tells the
// temporary files of one target apart: "." + the target's name + ".ovrabjt-"
// + 16 lower-case hexadecimal digits + ".tmp". A target name too long for
// that keeps its first bytes (never cutting a UTF-8 character) followed by
// "~" and a hash of the whole name.
std::string TemporaryName(std::string_view target_name, std::uint64_t unique);

// IsTemporaryName - whether `entry` is a name TemporaryName gives for
// `target_name`, whatever its unique part.
bool IsTemporaryName(std::string_view entry, std::string_view target_name);

}  // namespace ovrabjt

// Where the running program's own file lies, so that a program can find the
// files installed beside it (its data folder relative to its own folder).
#pragma once

#include <optional>
#include <string>

namespace ovrabjt {

// ExecutablePath - the absolute path of the running program's executable
// file, with symbolic links resolved; nothing when the system cannot tell.
std::optional<std::string> ExecutablePath();

}  // namespace ovrabjt

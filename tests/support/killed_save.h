// Temporary files as killed saves leave them, for the tests of their
// removal.
#pragma once

#include <string>

namespace ovrabjt::testing {

// LeftByKilledSave - begins a save of `target` in a child process, which is
// killed (SIGKILL) once it has written part of the new contents. Returns the
// path of the temporary file it left, or "" when the child failed.
std::string LeftByKilledSave(const std::string& target);

// AgeFile - makes `path` (a link itself, not what it names) look unchanged
// for `seconds`.
void AgeFile(const std::string& path, int seconds = 120);

}  // namespace ovrabjt::testing

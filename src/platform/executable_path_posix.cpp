#include "platform/executable_path.h"

#include <unistd.h>

#include <string>

namespace ovrabjt {

// The kernel names the executable as the target of /proc/self/exe; readlink
// does not say how long the target is, so the buffer grows until it fits.
std::optional<std::string> ExecutablePath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0) return std::nullopt;
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
    if (path.size() >= 65536) return std::nullopt;
    path.resize(path.size() * 2);
  }
}

}  // namespace ovrabjt

#include "support/killed_save.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <stdexcept>

#include "platform/replacement_file.h"

namespace ovrabjt::testing {

std::string LeftByKilledSave(const std::string& target) {
  int ready[2];
  if (::pipe(ready) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ReplacementFile file;
    const std::string part(100000, 'x');
    if (file.Begin(target) || file.Write(part.data(), part.size())) ::_exit(1);
    const std::string& name = file.WorkingPath();
    if (::write(ready[1], name.data(), name.size()) != static_cast<ssize_t>(name.size())) {
      ::_exit(1);
    }
    for (;;) ::pause();
  }
  ::close(ready[1]);
  std::string name(4096, '\0');
  const ssize_t got = child > 0 ? ::read(ready[0], name.data(), name.size()) : -1;
  ::close(ready[0]);
  if (child > 0) {
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
  }
  name.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return name;
}

void AgeFile(const std::string& path, int seconds) {
  timespec times[2];
  ::clock_gettime(CLOCK_REALTIME, &times[0]);
  times[0].tv_sec -= seconds;
  times[1] = times[0];
  if (::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
    throw std::runtime_error("cannot age " + path);
  }
}

}  // namespace ovrabjt::testing

// What the file layer does the same way on every platform.
#include "platform/file.h"

#include <utility>

namespace ovrabjt {

File::File(File&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), calls_(std::exchange(other.calls_, nullptr)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, -1);
    calls_ = std::exchange(other.calls_, nullptr);
  }
  return *this;
}

File::~File() { Close(); }

std::error_code File::Size(std::uint64_t& size) const {
  FileInfo info;
  if (std::error_code error = Status(info)) return error;
  size = info.size;
  return {};
}

}  // namespace ovrabjt

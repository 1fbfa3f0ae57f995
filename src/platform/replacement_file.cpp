// What a save does the same way on every platform: the temporary file's
// name, its writing, finishing and discarding.
#include "platform/replacement_file.h"

#include <atomic>
#include <chrono>
#include <random>

#include "platform/temporary_name.h"

namespace ovrabjt {
namespace {

// Tries with fresh names when one is taken by another file.
constexpr int kNameAttempts = 64;

// A number that two saves are unlikely to share: the system's randomness
// (drawn afresh, so that a forked process differs too), the clock and a
// counter, mixed (the mixing step of splitmix64). A name that is taken all
// the same is tried again with the next one.
std::uint64_t UniquePart() {
  static std::atomic<std::uint64_t> counter{0};
  std::random_device random;
  const auto ticks =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  std::uint64_t x = ((std::uint64_t{random()} << 32) | random()) ^ ticks ^
                    (counter.fetch_add(1, std::memory_order_relaxed) * 0x9e3779b97f4a7c15ull);
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
  return x ^ (x >> 31);
}

}  // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

std::error_code ReplacementFile::Begin(std::string_view target, const FileSystemCalls& calls) {
  Discard();
  replaced_ = false;
  if (target.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (target.find('\0') != std::string_view::npos) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  calls_ = &calls;
  return BeginOn(std::string(target), calls);
}

std::error_code ReplacementFile::OpenTemporary() {
  const std::string target_name = target_path_.substr(folder_.size());
  std::error_code error;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = folder_ + TemporaryName(target_name, UniquePart());
    error = File::OpenForWriting(name, WriteMode::kCreatePrivate, file_, *calls_);
    if (!error) {
      working_path_ = name;
      break;
    }
    if (error != std::errc::file_exists) return error;
  }
  if (error) return error;
  // Held until the file is closed, so that other saves know its writer
  // lives. Where the file system has no locks, the stale age alone keeps
  // the file from them.
  file_.TryLock();
  return {};
}

std::error_code ReplacementFile::PutInPlace() {
  if (file_.IsOpen()) return std::make_error_code(std::errc::device_or_resource_busy);
  if (working_path_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (direct_) {
    Reset();
    return {};
  }
  return ReplaceTarget();
}

std::error_code ReplacementFile::Write(const void* bytes, std::size_t count) {
  return file_.Write(bytes, count);
}

std::error_code ReplacementFile::Finish() {
  if (!direct_) {
    if (adopt_owner_) file_.AdoptOwner(final_);
    if (std::error_code error = file_.SetPermissions(final_.permissions)) return error;
    if (std::error_code error = file_.Sync()) return error;
  }
  return file_.Close();
}

void ReplacementFile::Discard() noexcept {
  file_.Close();
  if (!direct_ && !working_path_.empty()) DeleteFile(working_path_, *calls_);
  Reset();
}

void ReplacementFile::Reset() noexcept {
  working_path_.clear();
  target_path_.clear();
  folder_.clear();
  adopt_owner_ = false;
  direct_ = false;
  previous_attributes_ = ~std::uint32_t{0};
}

}  // namespace ovrabjt

#include "platform/replacement_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace ovrabjt {
namespace {

// Tries with fresh names when one is taken by another file.
constexpr int kNameAttempts = 64;

std::error_code LastError() { return {errno, std::generic_category()}; }

// The file a symbolic link leads to; the path itself when it is no link or
// leads nowhere (the link is then replaced, as creating the file would).
std::string ResolvedTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                       &std::free);
  return resolved ? std::string(resolved.get()) : path;
}

// A name in the target's folder that is unlikely to be taken: hidden, after
// the target, with the process and a clock reading in it.
std::string TemporaryName(const std::string& target, int attempt) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  const auto ticks =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  char unique[64];
  std::snprintf(unique, sizeof unique, ".%lx-%llx-%d.tmp", static_cast<unsigned long>(::getpid()),
                static_cast<unsigned long long>(ticks & 0xFFFFFFFFFFFFull), attempt);
  return folder + "." + base + unique;
}

}  // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

std::error_code ReplacementFile::Begin(std::string_view target, const FileSystemCalls& calls) {
  Discard();
  if (target.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (target.find('\0') != std::string_view::npos) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  calls_ = &calls;
  target_path_ = ResolvedTarget(std::string(target));

  struct stat previous {};
  if (::stat(target_path_.c_str(), &previous) != 0) {
    if (errno != ENOENT) return LastError();
    return OpenTemporary(nullptr);
  }
  if (S_ISDIR(previous.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(previous.st_mode)) {
    std::error_code error =
        File::OpenForWriting(target_path_, WriteMode::kCreateOrTruncate, file_, calls);
    if (error) return error;
    direct_ = true;
    working_path_ = target_path_;
    return {};
  }
  // A file the process may not write is not replaced behind its back.
  File probe;
  if (std::error_code error =
          File::OpenForWriting(target_path_, WriteMode::kExistingOnly, probe, calls)) {
    return error;
  }
  probe.Close();
  return OpenTemporary(&previous);
}

std::error_code ReplacementFile::OpenTemporary(const struct stat* previous) {
  std::error_code error;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string name = TemporaryName(target_path_, attempt);
    error = File::OpenForWriting(name, WriteMode::kCreateNew, file_, *calls_);
    if (!error) {
      working_path_ = name;
      break;
    }
    if (error != std::errc::file_exists) return error;
  }
  if (error) return error;
  if (previous != nullptr) {
    if (std::error_code mode_error = file_.AdoptOwnerAndMode(*previous)) {
      Discard();
      return mode_error;
    }
  }
  return {};
}

std::error_code ReplacementFile::Write(const void* bytes, std::size_t count) {
  return file_.Write(bytes, count);
}

std::error_code ReplacementFile::Finish() {
  if (!direct_) {
    if (std::error_code error = file_.Sync()) return error;
  }
  return file_.Close();
}

std::error_code ReplacementFile::PutInPlace() {
  if (file_.IsOpen()) return std::make_error_code(std::errc::device_or_resource_busy);
  if (working_path_.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (!direct_) {
    if (std::error_code error = RenameFile(working_path_, target_path_, *calls_)) return error;
  }
  Reset();
  return {};
}

void ReplacementFile::Discard() noexcept {
  file_.Close();
  if (!direct_ && !working_path_.empty()) DeleteFile(working_path_, *calls_);
  Reset();
}

void ReplacementFile::Reset() noexcept {
  working_path_.clear();
  target_path_.clear();
  direct_ = false;
}

}  // namespace ovrabjt

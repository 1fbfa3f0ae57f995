#include "io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/file.h"
#include "platform/path_text.h"
#include "platform/replacement_file.h"

namespace ovrabjt::cli {

namespace {

// Stores the sentence and gives the failed result.
std::nullopt_t Fail(std::string& error, std::string sentence) {
  error = std::move(sentence);
  return std::nullopt;
}

std::optional<std::string> ReadStandardInput(std::string& error) {
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, got);
  if (std::ferror(stdin))
    return Fail(error, "cannot read standard input: " + std::string(std::strerror(errno)));
  return bytes;
}

std::optional<std::string> ReadFile(const std::string& path, std::string& error) {
  const std::string name = DisplayName(path);
  File file;
  if (std::error_code e = File::OpenForReading(path, file))
    return Fail(error, "cannot open " + name + " for reading: " + e.message());
  std::uint64_t size = 0;
  if (std::error_code e = file.Size(size))
    return Fail(error, "cannot learn the size of " + name + ": " + e.message());
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (std::error_code e = file.Read(bytes.data(), bytes.size(), got))
    return Fail(error, "cannot read " + name + ": " + e.message());
  bytes.resize(got);
  return bytes;
}

bool WriteStandardOutput(std::string_view bytes, std::string& error) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0) {
    error = "cannot write standard output: " + std::string(std::strerror(errno));
    return false;
  }
  return true;
}

bool WriteFile(const std::string& path, std::string_view bytes, std::string& error) {
  const std::string name = DisplayName(path);
  ReplacementFile file;
  if (std::error_code e = file.Begin(path)) {
    error = "cannot create " + name + " for writing: " + e.message();
    return false;
  }
  std::error_code e = file.Write(bytes.data(), bytes.size());
  if (!e) e = file.Finish();
  if (!e) e = file.PutInPlace();
  if (e) {
    file.Discard();
    error = "cannot write " + name + ": " + e.message();
    return false;
  }
  return true;
}

}  // namespace

bool IsStandardStream(std::string_view path) { return path == kStandardStream; }

std::string DisplayName(std::string_view path, bool output) {
  if (IsStandardStream(path)) return output ? "standard output" : "standard input";
  return std::string("'").append(path).append("'");
}

std::optional<std::string> ReadInput(const std::string& path, std::string& error) {
  return IsStandardStream(path) ? ReadStandardInput(error) : ReadFile(path, error);
}

bool WriteOutput(const std::string& path, std::string_view bytes, std::string& error) {
  return IsStandardStream(path) ? WriteStandardOutput(bytes, error) : WriteFile(path, bytes, error);
}

std::string FileName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string WithExtension(std::string_view path, std::string_view extension) {
  std::string name = FileName(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot != 0) name.erase(dot);
  return name + std::string(extension);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  return path + std::string(name);
}

bool IsFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  File file;
  return !File::OpenForReading(path, file);
}

StagedFile::~StagedFile() {
  if (!path_.empty()) DeleteFile(path_);
}

// The system's folder for temporary files (TMPDIR, else /tmp, on POSIX); a
// new name in it, made only by this open, readable by its owner only.
bool StagedFile::Stage(std::string_view bytes, std::string_view suffix, std::string& error) {
  std::error_code e;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(e);
  const std::string folder = e ? std::string("/tmp") : GenericUtf8(temporary);
  std::random_device seed;
  std::mt19937_64 random(seed());
  File file;
  constexpr int kAttempts = 64;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    char unique[17];
    std::snprintf(unique, sizeof unique, "%016llx", static_cast<unsigned long long>(random()));
    const std::string name =
        JoinPath(folder, "ovrabjt-" + std::string(unique)) + std::string(suffix);
    e = File::OpenForWriting(name, WriteMode::kCreatePrivate, file);
    if (!e) {
      path_ = name;
      break;
    }
    if (e != std::errc::file_exists) break;
  }
  if (e) {
    error = "cannot create a temporary file: " + e.message();
    return false;
  }
  e = file.Write(bytes.data(), bytes.size());
  if (!e) e = file.Close();
  if (e) {
    error = "cannot write a temporary file: " + e.message();
    return false;
  }
  return true;
}

}  // namespace ovrabjt::cli

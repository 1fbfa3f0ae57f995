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

Status ReadStandardInput(std::string& bytes) {
  bytes.clear();
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) bytes.append(buffer, got);
  if (std::ferror(stdin))
    return FileFailure("cannot read standard input: " + std::string(std::strerror(errno)));
  return {};
}

Status ReadFile(const std::string& path, std::string& bytes) {
  const std::string name = DisplayName(path);
  File file;
  if (std::error_code e = File::OpenForReading(path, file))
    return FileFailure("cannot open " + name + " for reading: " + e.message());
  std::uint64_t size = 0;
  if (std::error_code e = file.Size(size))
    return FileFailure("cannot learn the size of " + name + ": " + e.message());
  bytes.assign(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (std::error_code e = file.Read(bytes.data(), bytes.size(), got))
    return FileFailure("cannot read " + name + ": " + e.message());
  bytes.resize(got);
  return {};
}

Status WriteStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    return FileFailure("cannot write standard output: " + std::string(std::strerror(errno)));
  return {};
}

Status WriteFile(const std::string& path, std::string_view bytes) {
  const std::string name = DisplayName(path);
  ReplacementFile file;
  if (std::error_code e = file.Begin(path))
    return FileFailure("cannot create " + name + " for writing: " + e.message());
  std::error_code e = file.Write(bytes.data(), bytes.size());
  if (!e) e = file.Finish();
  if (!e) e = file.PutInPlace();
  if (e) {
    file.Discard();
    return FileFailure("cannot write " + name + ": " + e.message());
  }
  return {};
}

}  // namespace

bool IsStandardStream(std::string_view path) { return path == kStandardStream; }

std::string DisplayName(std::string_view path, bool output) {
  if (IsStandardStream(path)) return output ? "standard output" : "standard input";
  return std::string("'").append(path).append("'");
}

Status ReadInput(const std::string& path, std::string& bytes) {
  return IsStandardStream(path) ? ReadStandardInput(bytes) : ReadFile(path, bytes);
}

Status WriteOutput(const std::string& path, std::string_view bytes) {
  return IsStandardStream(path) ? WriteStandardOutput(bytes) : WriteFile(path, bytes);
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
Status StagedFile::Stage(std::string_view bytes, std::string_view suffix) {
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
  if (e) return FileFailure("cannot create a temporary file: " + e.message());
  e = file.Write(bytes.data(), bytes.size());
  if (!e) e = file.Close();
  if (e) return FileFailure("cannot write a temporary file: " + e.message());
  return {};
}

}  // namespace ovrabjt::cli

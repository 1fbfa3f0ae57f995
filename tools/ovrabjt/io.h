// Reading and writing the tool's files, where "-" stands for standard input
// or standard output. Failures come back as sentences that name the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ovrabjt::cli {

// The name that stands for standard input or output.
inline constexpr std::string_view kStandardStream = "-";

bool IsStandardStream(std::string_view path);

// DisplayName - how messages name a file: "'job.xml'", or "standard input"
// (or "standard output" when `output`) for "-".
std::string DisplayName(std::string_view path, bool output = false);

// ReadInput - the whole file, or all of standard input for "-". On failure,
// nothing and `error` says what went wrong ("cannot open 'x' for reading:
// No such file or directory").
std::optional<std::string> ReadInput(const std::string& path, std::string& error);

// WriteOutput - writes `bytes` to standard output for "-", else to the file,
// which is replaced only once the whole text is written. False with `error`
// on failure; a previous file is then left as it was.
bool WriteOutput(const std::string& path, std::string_view bytes, std::string& error);

// FileName - the last component of a path ("job.xml" of "a/b/job.xml").
std::string FileName(std::string_view path);

// WithExtension - the file name of `path` with its extension (from the last
// dot, if any) replaced by `extension` (".xml").
std::string WithExtension(std::string_view path, std::string_view extension);

// JoinPath - `folder` and `name` with one slash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// IsFile - whether `path` names a regular file that can be opened for
// reading (not a folder, a device or a pipe).
bool IsFile(const std::string& path);

// StagedFile - a file holding given bytes, for the library's file readers:
// a temporary file that is removed when the object goes.
class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  ~StagedFile();

  // Stage - writes `bytes` into a new temporary file whose name ends in
  // `suffix`. False with `error` when that fails.
  bool Stage(std::string_view bytes, std::string_view suffix, std::string& error);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace ovrabjt::cli

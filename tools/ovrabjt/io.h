// Reading and writing the tool's files, where "-" stands for standard input
// or standard output. Failures come back as a Status whose sentence names
// the file.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "frame/status.h"

namespace ovrabjt::cli {

// The name that stands for standard input or output.
inline constexpr std::string_view kStandardStream = "-";

bool IsStandardStream(std::string_view path);

// DisplayName - how messages name a file: "'job.xml'", or "standard input"
// (or "standard output" when `output`) for "-".
std::string DisplayName(std::string_view path, bool output = false);

// The failures of the tool's own steps: a file that cannot be read or
// written, and an input that is not what the step takes.
inline Status FileFailure(std::string sentence) {
  return {StatusCode::kFileError, std::move(sentence)};
}
inline Status Refusal(std::string sentence) { return {StatusCode::kRefused, std::move(sentence)}; }

// ReadInput - the whole file, or all of standard input for "-", into
// `bytes`. On failure the status says what went wrong ("cannot open 'x' for
// reading: No such file or directory").
Status ReadInput(const std::string& path, std::string& bytes);

// WriteOutput - writes `bytes` to standard output for "-", else to the file,
// which is replaced only once the whole text is written. On failure a
// previous file is left as it was.
Status WriteOutput(const std::string& path, std::string_view bytes);

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
  // `suffix`.
  Status Stage(std::string_view bytes, std::string_view suffix);

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace ovrabjt::cli

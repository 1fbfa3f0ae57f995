#include "data_folder.h"

#include <filesystem>
#include <system_error>

#include "io.h"
#include "platform/executable_path.h"

namespace ovrabjt::cli {

namespace {

namespace fs = std::filesystem;

bool HoldsDtd(std::string_view folder, std::string_view dtd) {
  return IsFile(JoinPath(folder, dtd));
}

// The same folder however it is spelled; the spelling itself when the
// system cannot resolve it.
fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path.lexically_normal() : resolved;
}

std::string Joined(const std::vector<std::string>& folders) {
  std::string text;
  for (const std::string& folder : folders) text += (text.empty() ? "" : ", ") + folder;
  return text;
}

}  // namespace

std::vector<std::string> DefaultDtdFolders() {
  std::vector<fs::path> folders;
  const std::optional<std::string> program = ExecutablePath();
  if (program) {
    const fs::path own_folder = fs::path(*program).parent_path();
    folders.push_back((own_folder / OVRABJT_DATA_FROM_PROGRAM).lexically_normal());
  }
  folders.push_back(fs::path(OVRABJT_INSTALLED_DATA_DIR).lexically_normal());
  if (program && Resolved(fs::path(*program).parent_path()) == Resolved(OVRABJT_BUILD_PROGRAM_DIR))
    folders.push_back(fs::path(OVRABJT_SOURCE_DATA_DIR).lexically_normal());
  std::vector<std::string> unique;
  for (const fs::path& folder : folders) {
    std::string text = folder.string();
    if (text.size() > 1 && text.back() == '/') text.pop_back();
    bool seen = false;
    for (const std::string& earlier : unique) seen = seen || earlier == text;
    if (!seen) unique.push_back(std::move(text));
  }
  return unique;
}

std::string FindDefaultDtdFolder(std::string_view dtd) {
  for (const std::string& folder : DefaultDtdFolders())
    if (HoldsDtd(folder, dtd)) return folder;
  return {};
}

std::string DescribeDtdFolder() {
  const std::string_view dtd = ActiveRelease().ovra_dtd;
  const std::string found = FindDefaultDtdFolder(dtd);
  if (!found.empty()) return "now " + found;
  return "none found: " + Joined(DefaultDtdFolders()) + " hold no " + std::string(dtd);
}

std::string DtdFolder(const GlobalOptions& global) {
  const std::string_view dtd = ActiveRelease().ovra_dtd;
  if (!global.dtd_dir.empty()) {
    if (!HoldsDtd(global.dtd_dir, dtd))
      throw UsageError("--dtd-dir '" + global.dtd_dir + "' holds no " + std::string(dtd));
    return global.dtd_dir;
  }
  std::string found = FindDefaultDtdFolder(dtd);
  if (found.empty())
    throw RunFailure("cannot find the document type " + std::string(dtd) + " (looked in " +
                     Joined(DefaultDtdFolders()) + "); give --dtd-dir DIR");
  return found;
}

std::string OvraBaseName(const GlobalOptions& global, std::string_view path) {
  return JoinPath(DtdFolder(global), IsStandardStream(path) ? "stream.xml" : FileName(path));
}

}  // namespace ovrabjt::cli

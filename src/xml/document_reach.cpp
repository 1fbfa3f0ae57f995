#include "xml/document_reach.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/code_page.h"
#include "platform/path_syntax.h"
#include "platform/path_text.h"
#include "xml/local_entity_resolver.h"

namespace ovrabjt {
namespace {

namespace fs = std::filesystem;

std::string FolderOf(const std::string& path) { return path.substr(0, FolderLength(path)); }

// The position of the first folder separator in `path` from `from` on.
std::size_t NextSeparator(std::string_view path, std::size_t from) {
  for (std::size_t at = from; at < path.size(); ++at) {
    if (IsPathSeparator(path[at])) return at;
  }
  return std::string_view::npos;
}

// Whether a relative path steps up a folder anywhere ("..", "a/../b").
bool StepsUp(std::string_view path) {
  for (std::size_t start = 0; start <= path.size();) {
    const std::size_t end = std::min(NextSeparator(path, start), path.size());
    if (path.substr(start, end - start) == "..") return true;
    start = end + 1;
  }
  return false;
}

// Whether `path`, with its symbolic links resolved, still lies inside
// `folder`. A path that does not exist is let through: opening it fails
// as for any missing file.
bool ResolvesInside(const std::string& path, const std::string& folder) {
  std::error_code error;
  const fs::path real = fs::canonical(FileSystemPath(path), error);
  if (error) return true;
  const fs::path real_folder = fs::canonical(FileSystemPath(folder.empty() ? "." : folder), error);
  if (error) return false;
  const std::string inner = GenericUtf8(real);
  const std::string outer = GenericUtf8(real_folder);
  return inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0 &&
         (outer.back() == '/' || inner[outer.size()] == '/');
}

// The same, checked cheaply first: a path whose parts below the folder are
// no symbolic links stays inside (it has no ".."), which takes a look at
// each part instead of resolving the whole path.
bool StaysInside(const std::string& path, const std::string& folder) {
  for (std::size_t end = NextSeparator(path, folder.size());; end = NextSeparator(path, end + 1)) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(FileSystemPath(path.substr(0, end)), error);
    if (!error && fs::is_symlink(status)) return ResolvesInside(path, folder);
    if (end == std::string::npos) return true;
  }
}

DocumentReach::Resolution Refused(std::u16string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

bool IsBareFileName(std::u16string_view reference) {
  if (reference.empty() || reference == u"." || reference == u"..") return false;
  return reference.find_first_of(u"/\\:") == std::u16string_view::npos &&
         reference.find(u'\0') == std::u16string_view::npos;
}

DocumentReach DocumentReach::Beside(std::string_view name) {
  const std::optional<std::string> path = LocalPathOfReference(Utf8ToUtf16(name));
  std::optional<std::string> folder;
  if (path) folder = FolderOf(*path);
  return DocumentReach(std::string(name), std::move(folder));
}

DocumentReach DocumentReach::Nowhere(std::string_view name) {
  return DocumentReach(std::string(name), std::nullopt);
}

DocumentReach DocumentReach::OnlyNamedType() && {
  only_named_type_ = true;
  return std::move(*this);
}

DocumentReach::Resolution DocumentReach::Resolve(std::u16string_view system_id,
                                                 std::u16string_view referrer) const {
  if (!folder_) return Refused(u"a document read from memory without a name reads no file");
  const std::optional<std::string> reference = LocalPathOfReference(system_id);
  if (!reference || reference->empty() || reference->find('\0') != std::string::npos)
    return Refused(u"only local files are read, never over the network");
  switch (KindOfReference(*reference)) {
    case ReferenceKind::kRelative:
      break;
    case ReferenceKind::kNetwork:
      return Refused(u"only local files are read, never over the network");
    case ReferenceKind::kDevice:
      return Refused(u"only regular files are read, never a device");
    case ReferenceKind::kAbsolute:
      return Refused(u"a file is named relative to the document, never by an absolute path");
  }
  if (StepsUp(*reference))
    return Refused(u"a file is read from the document's folder or below, never through \"..\"");
  const std::optional<std::string> from = LocalPathOfReference(referrer);
  std::string path = (from ? FolderOf(*from) : *folder_) + *reference;
  // A referrer outside the folder cannot be: every file read is inside.
  if (path.compare(0, folder_->size(), *folder_) != 0) path = *folder_ + *reference;
  if (!StaysInside(path, *folder_))
    return Refused(u"a symbolic link leads out of the document's folder");
  return {std::move(path), {}};
}

// Resolve of a bare name from the document itself is the folder and the
// name, and StaysInside of that path looks at the file alone.
std::optional<std::string> DocumentReach::FileBeside(std::u16string_view system_id) const {
  if (!folder_ || !IsBareFileName(system_id)) return std::nullopt;
  return *folder_ + Utf16ToUtf8(system_id);
}

std::u16string DocumentReach::DocumentTypeRefusal(const char16_t* system_id,
                                                  bool internal_subset) const {
  if (!only_named_type_) return {};
  if (internal_subset)
    return u"an ovra document brings no declarations of its own (an internal subset)";
  if (system_id != nullptr && !IsBareFileName(system_id))
    return u"an ovra document names its document type as a file name beside its base name, "
           u"not as a path";
  return {};
}

}  // namespace ovrabjt

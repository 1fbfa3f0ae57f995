// What a document may reach beyond its own text: the files it may read as
// external DTDs and entities, and the document type it may name.
//
// Capability documents come from printers and job tickets from anywhere, so
// a document is not trusted to choose what it reads or how it is checked.
// Without these rules one could read any local file into a value
// ("/etc/passwd" as an entity) or bring its own permissive grammar past the
// validation of an ovra document. The rules are as narrow as every real
// document allows: the DTD and its parts lie in the folder of the base name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ovrabjt {

class DocumentReach {
 public:
  // The file a reference may be read from, or why it may not.
  struct Resolution {
    std::optional<std::string> path;  // the file to open, UTF-8 bytes
    std::u16string refusal;           // why not, when there is no path
  };

  // Beside - a document called `name` (its base name: a path, or a file:
  // URL): it reads regular files inside the folder of that name, at any
  // depth, reached by relative references without "..", and never through a
  // symbolic link leading out of the folder. A name that is no local path
  // (another URL scheme) reaches no file.
  static DocumentReach Beside(std::string_view name);

  // Nowhere - a document read from memory without a name, known as `name`
  // in messages: it reads no file at all. Its DOCTYPE's external DTD is not
  // loaded (such a document is not validated), and an external entity is
  // refused.
  static DocumentReach Nowhere(std::string_view name);

  // OnlyNamedType - the document (an ovra ticket) is validated only against
  // the document type it names as a bare file name in the folder, with no
  // declarations of its own.
  DocumentReach OnlyNamedType() &&;

  // The document's name, its system identifier.
  const std::string& Name() const { return name_; }

  // Whether the document may read any file.
  bool ReadsFiles() const { return folder_.has_value(); }

  // Resolve - the file that `system_id` names when read from the entity
  // `referrer` (a system identifier: the document's name or a file resolved
  // before), if the document may read it. A reference to a missing file
  // resolves (opening it fails as for any missing file).
  Resolution Resolve(std::u16string_view system_id, std::u16string_view referrer) const;

  // FileBeside - the file that the bare file name `system_id` names beside
  // the document, as Resolve gives it when that file is no symbolic link;
  // empty for any other reference, or when the document reads no file.
  std::optional<std::string> FileBeside(std::u16string_view system_id) const;

  // DocumentTypeRefusal - why the DOCTYPE naming `system_id` (null for none),
  // with an internal subset or not, is refused; empty when it is allowed.
  std::u16string DocumentTypeRefusal(const char16_t* system_id, bool internal_subset) const;

 private:
  DocumentReach(std::string name, std::optional<std::string> folder)
      : name_(std::move(name)), folder_(std::move(folder)) {}

  std::string name_;
  std::optional<std::string> folder_;  // with a trailing '/', or empty for the current one
  bool only_named_type_ = false;
};

// IsBareFileName - whether `reference` names a file without any folder: no
// separator, no scheme or drive, not "." or "..".
bool IsBareFileName(std::u16string_view reference);

}  // namespace ovrabjt

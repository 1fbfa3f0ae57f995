// Resolves the external DTDs and entities that a document names, to local
// files only, as the document's reach allows. The parser never reaches the
// network: any other kind of system identifier (http:, ftp:, a file: URL on
// another host) is refused, which fails the parse.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

#include "xml/document_reach.h"

namespace ovrabjt {

// LocalPathOf - the local path (UTF-8 bytes) that `system_id` names, a relative
// reference being taken against the directory of `base` (the referring
// entity's system identifier). Plain paths and file: URLs on this host are
// local; percent escapes are decoded in file: URLs only. Empty when the
// identifier is refused: another URL scheme, a remote host, an empty
// reference, or a NUL in the path.
std::optional<std::string> LocalPathOf(std::u16string_view system_id, std::u16string_view base);

// LocalPathOfReference - the local path a reference names by itself, before
// any base applies: a plain path as it is, the path of a file: URL on this
// host; empty for another URL scheme or a remote host.
std::optional<std::string> LocalPathOfReference(std::u16string_view reference);

class LocalEntityResolver {
 public:
  // Resolves what a document of `reach` (which must outlive the resolver)
  // names.
  explicit LocalEntityResolver(const DocumentReach& reach) : reach_(&reach) {}

  // Rebind - resolves for a document of `reach` from now on.
  void Rebind(const DocumentReach& reach) { reach_ = &reach; }

  // The bytes one parse may read from the files it resolves: external
  // entities referred to over and over could otherwise make gigabytes of
  // text out of a small document.
  static constexpr std::size_t kReadBudget = std::size_t(16) << 20;

  // ResetBudget - a new parse may read kReadBudget bytes again.
  void ResetBudget() { budget_ = kReadBudget; }

  // Resolve - a source reading the local file that `resource` names, with
  // the file's path as its system identifier so that references inside it
  // resolve beside it; null when the reach refuses it, with `refusal` saying
  // why. A missing file is reported when it is opened. Only regular files
  // are read, each up to the size it had when opened: a device, a pipe, or
  // a file larger than what is left of the budget is reported as a file
  // that cannot be opened.
  xercesc::InputSource* Resolve(const xercesc::XMLResourceIdentifier& resource,
                                std::u16string& refusal);

  // Open - a source reading the file at `path`, resolved before, as above.
  xercesc::InputSource* Open(const std::string& path);

 private:
  const DocumentReach* reach_;
  std::size_t budget_ = kReadBudget;
};

}  // namespace ovrabjt

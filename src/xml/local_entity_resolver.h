// Resolves the external DTDs and entities that a document names, to local
// files only. The parser never reaches the network: any other kind of system
// identifier (http:, ftp:, a file: URL on another host) is refused, which
// fails the parse.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <xercesc/util/XMLEntityResolver.hpp>

namespace ovrabjt {

// LocalPathOf - the local path (UTF-8 bytes) that `system_id` names, a relative
// reference being taken against the directory of `base` (the referring
// entity's system identifier). Plain paths and file: URLs on this host are
// local; percent escapes are decoded in file: URLs only. Empty when the
// identifier is refused: another URL scheme, a remote host, an empty
// reference, or a NUL in the path.
std::optional<std::string> LocalPathOf(std::u16string_view system_id, std::u16string_view base);

class LocalEntityResolver : public xercesc::XMLEntityResolver {
 public:
  // The bytes one parse may read from the files it resolves: external
  // entities referred to over and over could otherwise make gigabytes of
  // text out of a small document.
  static constexpr std::size_t kReadBudget = std::size_t(16) << 20;

  // ResetBudget - a new parse may read kReadBudget bytes again.
  void ResetBudget() { budget_ = kReadBudget; }

  // A source reading the local file, with the file's path as its system
  // identifier so that references inside it resolve beside it. A refused
  // identifier raises the library's MalformedURLException, which the library
  // reports as a fatal error. A missing file is reported when it is opened.
  // Only regular files are read, each up to the size it had when opened: a
  // device, a pipe, or a file larger than what is left of the budget is
  // reported as a file that cannot be opened.
  xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

 private:
  std::size_t budget_ = kReadBudget;
};

}  // namespace ovrabjt

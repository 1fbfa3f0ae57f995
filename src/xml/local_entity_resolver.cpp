#include "xml/local_entity_resolver.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/util/BinInputStream.hpp>
#include <xercesc/util/IOException.hpp>

#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/path_syntax.h"

namespace ovrabjt {
namespace {

// A local file read as bytes, no further than the size it had when it was
// opened. The path is opened through the file layer as UTF-8, never
// converted through the process locale or code page.
class LocalFileStream : public xercesc::BinInputStream {
 public:
  LocalFileStream(File file, std::size_t size) : file_(std::move(file)), remaining_(size) {}

  XMLFilePos curPos() const override { return position_; }
  XMLSize_t readBytes(XMLByte* to_fill, XMLSize_t max_to_read) override {
    std::size_t got = 0;
    if (file_.Read(to_fill, std::min(max_to_read, remaining_), got) && got == 0) {
      throw xercesc::IOException(__FILE__, __LINE__,
                                 xercesc::XMLExcepts::File_CouldNotReadFromFile);
    }
    remaining_ -= got;
    position_ += got;
    return got;
  }
  const XMLCh* getContentType() const override { return nullptr; }

 private:
  File file_;
  std::size_t remaining_;
  XMLFilePos position_ = 0;
};

// Opens a regular file for reading and tells its size; false for anything
// else. A device, a pipe or a folder could block the parse or never end; the
// open itself does not wait for a pipe's writer.
bool OpenRegularFile(const std::string& path, File& file, std::size_t& size) {
  std::optional<FileInfo> info;
  if (File::OpenForReading(path, file, SystemFileCalls(), &info) || !info ||
      info->kind != FileKind::kRegular) {
    return false;
  }
  size = static_cast<std::size_t>(info->size);
  return true;
}

class LocalFileSource : public xercesc::InputSource {
 public:
  LocalFileSource(std::string path, const std::u16string& system_id, std::size_t& budget)
      : InputSource(system_id.c_str()), path_(std::move(path)), budget_(budget) {}

  // Null when the file cannot be opened or is larger than what is left of
  // the parse's budget; the library reports that itself.
  xercesc::BinInputStream* makeStream() const override {
    std::size_t size = 0;
    File file;
    if (!OpenRegularFile(path_, file, size) || size > budget_) return nullptr;
    budget_ -= size;
    return new LocalFileStream(std::move(file), size);
  }

 private:
  std::string path_;
  std::size_t& budget_;
};

bool IsSchemeChar(char16_t c, bool first) {
  const bool alpha = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
  if (first) return alpha;
  return alpha || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// The URL scheme of a reference in lower case, empty for a path. A single
// letter before the colon is a drive letter, not a scheme.
std::u16string SchemeOf(std::u16string_view reference) {
  const std::size_t colon = reference.find(u':');
  if (colon == std::u16string_view::npos || colon < 2) return {};
  std::u16string scheme;
  for (std::size_t i = 0; i < colon; ++i) {
    if (!IsSchemeChar(reference[i], i == 0)) return {};
    scheme.push_back(reference[i] <= u'Z' && reference[i] >= u'A' ? reference[i] + 32
                                                                  : reference[i]);
  }
  return scheme;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool IsLocalHost(std::string_view host) {
  if (host.empty()) return true;
  if (host.size() != 9) return false;
  for (std::size_t i = 0; i < host.size(); ++i) {
    const char c = host[i] >= 'A' && host[i] <= 'Z' ? static_cast<char>(host[i] + 32) : host[i];
    if (c != "localhost"[i]) return false;
  }
  return true;
}

// The path of a file: URL (after "file:"), empty when it names another host.
std::optional<std::string> PathOfFileUrl(std::string_view rest) {
  if (rest.substr(0, 2) != "//") return PathOfFileUrlPath(PercentDecoded(rest));
  rest.remove_prefix(2);
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos || !IsLocalHost(rest.substr(0, slash))) return std::nullopt;
  return PathOfFileUrlPath(PercentDecoded(rest.substr(slash)));
}

std::string DirectoryOf(const std::string& path) { return path.substr(0, FolderLength(path)); }

}  // namespace

std::optional<std::string> LocalPathOfReference(std::u16string_view reference) {
  const std::u16string scheme = SchemeOf(reference);
  const std::string bytes = Utf16ToUtf8(reference);
  if (scheme.empty()) return bytes;
  if (scheme != u"file") return std::nullopt;
  return PathOfFileUrl(std::string_view(bytes).substr(5));
}

std::optional<std::string> LocalPathOf(std::u16string_view system_id, std::u16string_view base) {
  std::optional<std::string> path = LocalPathOfReference(system_id);
  if (!path || path->empty() || path->find('\0') != std::string::npos) return std::nullopt;
  if (IsRootedPath(*path)) return path;
  const std::optional<std::string> base_path = LocalPathOfReference(base);
  if (!base_path) return std::nullopt;
  return DirectoryOf(*base_path) + *path;
}

xercesc::InputSource* LocalEntityResolver::Resolve(const xercesc::XMLResourceIdentifier& resource,
                                                   std::u16string& refusal) {
  const XMLCh* system_id = resource.getSystemId();
  const XMLCh* base = resource.getBaseURI();
  DocumentReach::Resolution file = reach_->Resolve(system_id ? system_id : u"", base ? base : u"");
  if (!file.path) {
    refusal = std::move(file.refusal);
    return nullptr;
  }
  return Open(*file.path);
}

xercesc::InputSource* LocalEntityResolver::Open(const std::string& path) {
  return new LocalFileSource(path, Utf8ToUtf16(path), budget_);
}

}  // namespace ovrabjt

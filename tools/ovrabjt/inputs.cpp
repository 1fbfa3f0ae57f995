#include "inputs.h"

#include <unistd.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "data_folder.h"
#include "diagnostics.h"
#include "io.h"
#include "prefs/prefs_documents.h"
#include "ticket/packing.h"
#include "tickets.h"

namespace ovrabjt::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view AsBytes(const std::vector<std::uint8_t>& packed) {
  return {reinterpret_cast<const char*>(packed.data()), packed.size()};
}

// The name of the root element: the first tag after the declaration,
// processing instructions, comments and the document type. Empty when the
// text ends first.
std::string_view RootElementName(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
    const std::string_view rest = text.substr(at);
    std::size_t end = std::string_view::npos;
    if (rest.starts_with("<?")) {
      end = text.find("?>", at);
    } else if (rest.starts_with("<!--")) {
      end = text.find("-->", at);
    } else if (rest.starts_with("<!")) {
      // The document type, with its internal subset in brackets.
      end = text.find_first_of("[>", at);
      if (end != std::string_view::npos && text[end] == '[') end = text.find(']', end);
    } else {
      const std::size_t name_end = text.find_first_of(" \t\r\n/>", at + 1);
      return text.substr(
          at + 1, name_end == std::string_view::npos ? std::string_view::npos : name_end - at - 1);
    }
    if (end == std::string_view::npos) return {};
    at = text.find('>', end);
    if (at == std::string_view::npos) return {};
  }
  return {};
}

// A sentence when XML text is a document of another kind than `wanted`.
std::optional<std::string> WrongKind(std::string_view text, std::string_view shown,
                                     DocumentKind wanted, std::string_view wanted_words) {
  const DocumentKind kind = DocumentKindOf(text);
  if (kind == kNoDocument || kind == wanted) return std::nullopt;
  return std::string(shown) + " is " + (kind == kOvraDocument ? "an " : "a ") +
         std::string(KindName(kind)) + " document, not " + std::string(wanted_words);
}

}  // namespace

DocumentKind DocumentKindOf(std::string_view text) {
  const std::string_view root = RootElementName(text);
  for (DocumentKind kind : {kOvraDocument, kKespDocument, kMediaPrefsDocument})
    if (root == KindName(kind)) return kind;
  return kNoDocument;
}

bool ReadTicketFile(const GlobalOptions& global, const std::string& path, TicketRecord& record,
                    std::string& error) {
  const auto bytes = ReadInput(path, error);
  if (!bytes) return false;
  const std::string shown = DisplayName(path);
  if (bytes->empty()) {
    error = shown + " is empty";
    return false;
  }
  if (!LooksLikeXml(*bytes)) return UnpackTicketBytes(*bytes, shown, record, error);
  if (auto wrong = WrongKind(*bytes, shown, kOvraDocument,
                             "a ticket: give a packed ticket or an ovra document")) {
    error = *wrong;
    return false;
  }
  std::vector<std::uint8_t> packed;
  return DocumentTextToTicket(*bytes, shown, OvraBaseName(global, path), packed, error) &&
         UnpackTicketBytes(AsBytes(packed), shown, record, error);
}

bool ReadSettingsDocument(const std::string& path, std::string_view role, std::string& text,
                          std::string& error) {
  auto bytes = ReadInput(path, error);
  if (!bytes) return false;
  const std::string shown = DisplayName(path);
  if (bytes->empty()) {
    error = shown + " is empty";
    return false;
  }
  const std::string wanted =
      "an ovra document: " + std::string(role) + " is an ovra document of the settings to change";
  if (!LooksLikeXml(*bytes)) {
    error = shown + " is not " + wanted;
    return false;
  }
  if (auto wrong = WrongKind(*bytes, shown, kOvraDocument, wanted)) {
    error = *wrong;
    return false;
  }
  text = std::move(*bytes);
  return true;
}

std::string DescribeDocumentRead(const GlobalOptions& global, const std::string& path,
                                 const std::string& staged, const OvraParseException& failure) {
  const DocumentRead read{staged, DisplayName(path), OvraBaseName(global, path), kOvraDocument};
  return DescribeDocumentFailure(failure, ReadDocumentReport(read), read);
}

std::unique_ptr<AttrNodeList> ParseCapabilities(const std::string& text, const std::string& shown,
                                                std::string& error) {
  if (text.size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
    error = shown + " is too large for a capabilities document";
    return nullptr;
  }
  std::optional<OvraParseException> failure;
  auto list = ReadCapabilities(text.data(), std::int32_t(text.size()), &failure, ActiveRelease());
  if (failure) {
    const DocumentRead read{"", shown, "", kKespDocument};
    error = DescribeDocumentFailure(*failure, ReadTextReport(kKespDocument, text), read);
  }
  return list;
}

std::unique_ptr<AttrNodeList> ReadCapabilitiesFile(const std::string& path, std::string& error) {
  const auto text = ReadInput(path, error);
  if (!text) return nullptr;
  const std::string shown = DisplayName(path);
  const std::string_view wanted = "a capabilities document";
  if (!text->empty() && !LooksLikeXml(*text)) {
    error = shown + " is not " + std::string(wanted) + " (it holds no XML)";
    return nullptr;
  }
  if (auto wrong = WrongKind(*text, shown, kKespDocument, wanted)) {
    error = *wrong;
    return nullptr;
  }
  return ParseCapabilities(*text, shown, error);
}

bool WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                     const std::string& output, bool xml, std::string& error) {
  if (!xml && IsStandardStream(output) && ::isatty(STDOUT_FILENO)) {
    error =
        "standard output is a terminal and a packed ticket is binary: give -o FILE, a "
        "redirection, or --xml";
    return false;
  }
  std::uint32_t size = 0;
  std::vector<std::uint8_t> packed;
  if (PackTicket(nullptr, record, &size)) packed.resize(size);
  if (packed.empty() || !PackTicket(packed.data(), record, nullptr)) {
    error = "the ticket could not be packed";
    return false;
  }
  if (!xml) return WriteOutput(output, AsBytes(packed), error);
  std::string text;
  return TicketToDocument(AsBytes(packed), "the ticket", OvraBaseName(global, output), true, text,
                          error) &&
         WriteOutput(output, text, error);
}

}  // namespace ovrabjt::cli

#include "inputs.h"

#include <limits>

#include "data_folder.h"
#include "diagnostics.h"
#include "io.h"
#include "platform/program_io.h"
#include "prefs/prefs_documents.h"
#include "prolog.h"
#include "ticket/packing.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

std::optional<std::string> ReadDocumentText(const std::string& path, DocumentKind kind,
                                            std::string& error) {
  std::optional<std::string> text = ReadInput(path, error);
  if (!text) return std::nullopt;
  if (const auto wrong = WrongKind(*text, kind, DisplayName(path))) {
    error = *wrong;
    return std::nullopt;
  }
  return text;
}

bool ReadTicketDocument(const GlobalOptions& global, bool strict, const std::string& input,
                        const std::string& text, std::vector<std::uint8_t>& packed,
                        std::string& error) {
  const std::string shown = DisplayName(input);
  if (const auto wrong = WrongKind(text, kOvraDocument, shown)) {
    error = *wrong;
    return false;
  }
  const std::string base_name = OvraBaseName(global, input);
  // A named file is read where it lies; standard input is staged first.
  const bool loaded =
      IsStandardStream(input)
          ? DocumentTextToTicket(text, shown, base_name, packed, error)
          : DocumentToTicket({input, shown, base_name, kOvraDocument}, packed, error);
  return loaded && CheckDocumentValues(text, kOvraDocument, base_name, shown, strict, error);
}

bool ReadTicketBytes(const GlobalOptions& global, bool strict, const std::string& input,
                     std::vector<std::uint8_t>& packed, std::string& error) {
  const auto bytes = ReadInput(input, error);
  if (!bytes) return false;
  if (bytes->empty()) {
    error = DisplayName(input) + " is empty";
    return false;
  }
  if (LooksLikeXml(*bytes)) return ReadTicketDocument(global, strict, input, *bytes, packed, error);
  packed.assign(bytes->begin(), bytes->end());
  return true;
}

bool ReadTicketFile(const GlobalOptions& global, bool strict, const std::string& path,
                    TicketRecord& record, std::string& error) {
  std::vector<std::uint8_t> packed;
  return ReadTicketBytes(global, strict, path, packed, error) &&
         UnpackTicketBytes(AsBytes(packed), DisplayName(path), record, error);
}

std::unique_ptr<AttrNodeList> ReadCapabilitiesFile(const std::string& path, std::string& error) {
  const auto text = ReadDocumentText(path, kKespDocument, error);
  if (!text) return nullptr;
  const std::string shown = DisplayName(path);
  if (text->size() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
    error = shown + " is too large for a capabilities document";
    return nullptr;
  }
  std::optional<OvraParseException> failure;
  auto list = ReadCapabilities(text->data(), std::int32_t(text->size()), &failure, ActiveRelease());
  if (failure) {
    const DocumentRead read{"", shown, "", kKespDocument};
    error = DescribeDocumentFailure(*failure, ReadTextReport(kKespDocument, *text), read);
  }
  return list;
}

bool WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                     const std::string& output, bool xml, std::string& error) {
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

void RefuseTerminalOutput(const std::string& output, std::string_view other) {
  if (IsStandardStream(output) && StandardOutputIsTerminal())
    throw UsageError("a packed ticket is binary: give -o FILE, or -o - with a redirection" +
                     std::string(other));
}

}  // namespace ovrabjt::cli

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

Status ReadDocumentText(const std::string& path, DocumentKind kind, std::string& text) {
  if (Status read = ReadInput(path, text); !read) return read;
  if (const auto wrong = WrongKind(text, kind, DisplayName(path))) return Refusal(*wrong);
  return {};
}

Status ReadTicketDocument(const GlobalOptions& global, bool strict, const std::string& input,
                          const std::string& text, std::vector<std::uint8_t>& packed) {
  const std::string shown = DisplayName(input);
  if (const auto wrong = WrongKind(text, kOvraDocument, shown)) return Refusal(*wrong);
  const std::string base_name = OvraBaseName(global, input);
  // A named file is read where it lies; standard input is staged first.
  const Status loaded = IsStandardStream(input)
                            ? DocumentTextToTicket(text, shown, base_name, packed)
                            : DocumentToTicket({input, shown, base_name, kOvraDocument}, packed);
  if (!loaded) return loaded;
  return CheckDocumentValues(text, kOvraDocument, base_name, shown, strict);
}

Status ReadTicketBytes(const GlobalOptions& global, bool strict, const std::string& input,
                       std::vector<std::uint8_t>& packed) {
  std::string bytes;
  if (Status read = ReadInput(input, bytes); !read) return read;
  if (bytes.empty()) return Refusal(DisplayName(input) + " is empty");
  if (LooksLikeXml(bytes)) return ReadTicketDocument(global, strict, input, bytes, packed);
  packed.assign(bytes.begin(), bytes.end());
  return {};
}

Status ReadTicketFile(const GlobalOptions& global, bool strict, const std::string& path,
                      TicketRecord& record) {
  std::vector<std::uint8_t> packed;
  if (Status read = ReadTicketBytes(global, strict, path, packed); !read) return read;
  return UnpackTicketBytes(AsBytes(packed), DisplayName(path), record);
}

Status ReadCapabilitiesFile(const std::string& path, std::unique_ptr<AttrNodeList>& list) {
  list.reset();
  std::string text;
  if (Status read = ReadDocumentText(path, kKespDocument, text); !read) return read;
  const std::string shown = DisplayName(path);
  if (text.size() > std::size_t(std::numeric_limits<std::int32_t>::max()))
    return Refusal(shown + " is too large for a capabilities document");
  std::optional<OvraParseException> failure;
  list = ReadCapabilities(text.data(), std::int32_t(text.size()), &failure, ActiveRelease());
  if (list) return {};
  const DocumentRead read{"", shown, "", kKespDocument};
  return {StatusCode::kDocumentError,
          failure ? DescribeDocumentFailure(*failure, ReadTextReport(kKespDocument, text), read)
                  : std::string(),
          failure};
}

Status WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                       const std::string& output, bool xml) {
  std::uint32_t size = 0;
  std::vector<std::uint8_t> packed;
  if (PackTicket(nullptr, record, &size)) packed.resize(size);
  if (packed.empty() || !PackTicket(packed.data(), record, nullptr))
    return {StatusCode::kPackFailed, "the ticket could not be packed"};
  if (!xml) return WriteOutput(output, AsBytes(packed));
  std::string text;
  const Status written =
      TicketToDocument(AsBytes(packed), "the ticket", OvraBaseName(global, output), true, text);
  if (!written) return written;
  return WriteOutput(output, text);
}

void RefuseTerminalOutput(const std::string& output, std::string_view other) {
  if (IsStandardStream(output) && StandardOutputIsTerminal())
    throw UsageError("a packed ticket is binary: give -o FILE, or -o - with a redirection" +
                     std::string(other));
}

}  // namespace ovrabjt::cli

#include "tickets.h"

#include <ovrabjt/ovrabjt.h>

#include <new>

#include "commands.h"
#include "frame/ticket_documents.h"
#include "io.h"
#include "text_sink.h"
#include "ticket/layout.h"
#include "ticket/packing.h"

namespace ovrabjt::cli {

namespace {

const std::uint8_t* Bytes(std::string_view packed) {
  return reinterpret_cast<const std::uint8_t*>(packed.data());
}

}  // namespace

std::unique_ptr<TicketRecord> NewRecord() {
  auto record = TicketRecord::Allocate();
  if (!record) throw std::bad_alloc();
  return record;
}

std::string_view AsBytes(const std::vector<std::uint8_t>& packed) {
  return {reinterpret_cast<const char*>(packed.data()), packed.size()};
}

std::string DescribeBadTicket(std::string_view packed, std::string_view shown) {
  if (packed.size() < kTicketSize)
    return std::string(shown) +
           " is too short for a packed ticket: " + std::to_string(packed.size()) +
           " bytes, the fixed record alone has " + std::to_string(kTicketSize);
  return std::string(shown) +
         " is not a packed ticket: its string table is damaged (a text repeats an earlier one, "
         "is longer than 1000 characters or runs past the end)";
}

Status UnpackTicketBytes(std::string_view packed, std::string_view shown, TicketRecord& record) {
  if (UnpackTicket(record, Bytes(packed), packed.size())) return {};
  return {StatusCode::kBadTicket, DescribeBadTicket(packed, shown)};
}

// The library's failures in the tool's words: the file first, then the
// cause; the XML layer's with its code's description.
Status TicketToDocument(std::string_view packed, std::string_view shown,
                        const std::string& base_name, bool indent, std::string& text) {
  TextSink sink(text, indent);
  const Status result = WriteTicketDocument(
      base_name.c_str(), PackedTicket{packed.data(), packed.size()}, &sink, ActiveRelease());
  if (result) return result;
  if (result.code() == StatusCode::kBadTicket)
    return {result.code(), DescribeBadTicket(packed, shown)};
  if (result.code() == StatusCode::kDocumentError && result.error())
    return {result.code(),
            std::string(shown) +
                ": the document could not be written: " + DescribeOvraError(result.error()->code()),
            result.error()};
  return {result.code(), std::string(shown) + ": " + result.message(), result.error()};
}

Status DocumentToTicket(const DocumentRead& read, std::vector<std::uint8_t>& packed) {
  const Status result =
      LoadTicketDocument(read.path.c_str(), read.base_name.c_str(), packed, ActiveRelease());
  if (result) return result;
  if (result.code() == StatusCode::kDocumentError && result.error())
    return {result.code(), DescribeReadFailure(*result.error(), read), result.error()};
  return {result.code(), read.shown + ": " + result.message(), result.error()};
}

Status DocumentTextToTicket(std::string_view text, std::string_view shown,
                            const std::string& base_name, std::vector<std::uint8_t>& packed) {
  StagedFile staged;
  if (Status staging = staged.Stage(text, ".xml"); !staging) return staging;
  return DocumentToTicket({staged.Path(), std::string(shown), base_name, kOvraDocument}, packed);
}

}  // namespace ovrabjt::cli

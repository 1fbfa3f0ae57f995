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

bool UnpackTicketBytes(std::string_view packed, std::string_view shown, TicketRecord& record,
                       std::string& error) {
  if (UnpackTicket(record, Bytes(packed), packed.size())) return true;
  error = DescribeBadTicket(packed, shown);
  return false;
}

bool TicketToDocument(std::string_view packed, std::string_view shown, const std::string& base_name,
                      bool indent, std::string& text, std::string& error) {
  TextSink sink(text, indent);
  const ConversionResult result = WriteTicketDocument(
      base_name.c_str(), PackedTicket{packed.data(), packed.size()}, &sink, ActiveRelease());
  if (result) return true;
  if (result.status == ConversionStatus::kBadTicket)
    error = DescribeBadTicket(packed, shown);
  else if (result.status == ConversionStatus::kDocumentError && result.error)
    error = std::string(shown) +
            ": the document could not be written: " + DescribeOvraError(result.error->code());
  else
    error = std::string(shown) + ": " + result.Describe();
  return false;
}

bool DocumentToTicket(const DocumentRead& read, std::vector<std::uint8_t>& packed,
                      std::string& error) {
  const ConversionResult result =
      LoadTicketDocument(read.path.c_str(), read.base_name.c_str(), packed, ActiveRelease());
  if (result) return true;
  if (result.status == ConversionStatus::kDocumentError && result.error)
    error = DescribeReadFailure(*result.error, read);
  else
    error = read.shown + ": " + result.Describe();
  return false;
}

bool DocumentTextToTicket(std::string_view text, std::string_view shown,
                          const std::string& base_name, std::vector<std::uint8_t>& packed,
                          std::string& error) {
  StagedFile staged;
  if (!staged.Stage(text, ".xml", error)) return false;
  return DocumentToTicket({staged.Path(), std::string(shown), base_name, kOvraDocument}, packed,
                          error);
}

}  // namespace ovrabjt::cli

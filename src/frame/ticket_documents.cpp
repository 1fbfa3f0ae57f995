#include "frame/ticket_documents.h"

#include <memory>
#include <new>

#include "convert/ticket_conversion.h"
#include "ticket/packing.h"
#include "xml/velmor_xml_data_stream.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt {

namespace {

ConversionResult Failed(ConversionStatus status) { return {status, std::nullopt}; }

// Unpacks the caller's ticket into a new work record.
ConversionResult Unpack(PackedTicket ticket, std::unique_ptr<TicketRecord>& record) {
  record = TicketRecord::Allocate();
  if (!record) return Failed(ConversionStatus::kNoMemory);
  const auto* bytes = static_cast<const std::uint8_t*>(ticket.bytes);
  const bool unpacked = ticket.length ? UnpackTicket(*record, bytes, *ticket.length)
                                      : bytes && UnpackTicket(*record, bytes);
  return unpacked ? ConversionResult{} : Failed(ConversionStatus::kBadTicket);
}

// Builds the ticket's attribute list and hands it to `write`, turning the
// XML layer's failures into the result.
template <typename Write>
ConversionResult WriteTicket(PackedTicket ticket, const ReleaseProfile& release, Write&& write) {
  std::unique_ptr<TicketRecord> record;
  if (ConversionResult r = Unpack(ticket, record); !r) return r;
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*record, list, release);
  try {
    write(*list);
  } catch (const OvraParseException& e) {
    return {ConversionStatus::kDocumentError, e};
  }
  return {};
}

}  // namespace

std::string ConversionResult::Describe() const {
  switch (status) {
    case ConversionStatus::kOk:
      return "done";
    case ConversionStatus::kNoMemory:
      return "out of memory";
    case ConversionStatus::kBadTicket:
      return "the packed ticket is damaged";
    case ConversionStatus::kPackFailed:
      return "the ticket could not be packed";
    case ConversionStatus::kDocumentError:
      break;
  }
  return error ? FormatOvraError(*error) : "the document could not be converted";
}

ConversionResult SaveTicketDocument(const char* file_name, const char* base_name,
                                    PackedTicket ticket, const ReleaseProfile& release) {
  return WriteTicket(ticket, release, [&](const AttrNodeList& list) {
    VelmorXmlFile file(kOvraDocument, file_name, base_name);
    file.SetRelease(release);
    file.WriteList(list);
  });
}

ConversionResult WriteTicketDocument(const char* base_name, PackedTicket ticket,
                                     XmlOutputCallback* output, const ReleaseProfile& release) {
  return WriteTicket(ticket, release, [&](const AttrNodeList& list) {
    VelmorXmlDataStream stream(kOvraDocument, output, base_name);
    stream.SetRelease(release);
    stream.WriteList(list);
  });
}

ConversionResult LoadTicketDocument(const char* file_name, const char* base_name,
                                    std::vector<std::uint8_t>& packed,
                                    const ReleaseProfile& release) {
  auto record = TicketRecord::Allocate();
  if (!record) return Failed(ConversionStatus::kNoMemory);
  VelmorXmlFile file(kOvraDocument, file_name, base_name);
  file.SetRelease(release);
  std::optional<OvraParseException> error;
  if (FillTicketRecord(file, *record, &error)) return {ConversionStatus::kDocumentError, error};
  std::uint32_t size = 0;
  if (!PackTicket(nullptr, *record, &size)) return Failed(ConversionStatus::kPackFailed);
  std::vector<std::uint8_t> bytes(size);
  if (!PackTicket(bytes.data(), *record, nullptr)) return Failed(ConversionStatus::kPackFailed);
  packed = std::move(bytes);
  return {};
}

}  // namespace ovrabjt

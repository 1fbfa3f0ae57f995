#include "frame/ticket_documents.h"

#include <memory>
#include <new>

#include "convert/ticket_conversion.h"
#include "ticket/packing.h"
#include "xml/velmor_xml_data_stream.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt {

namespace {

// The sentence of each failure that is not the XML layer's.
Status Failed(StatusCode code) {
  switch (code) {
    case StatusCode::kNoMemory:
      return {code, "out of memory"};
    case StatusCode::kBadTicket:
      return {code, "the packed ticket is damaged"};
    case StatusCode::kPackFailed:
      return {code, "the ticket could not be packed"};
    default:
      return {code, "the document could not be converted"};
  }
}

Status DocumentFailed(const std::optional<OvraParseException>& error) {
  return {StatusCode::kDocumentError,
          error ? FormatOvraError(*error) : "the document could not be converted", error};
}

// Unpacks the caller's ticket into a new work record.
Status Unpack(PackedTicket ticket, std::unique_ptr<TicketRecord>& record) {
  record = TicketRecord::AllocateForOverwrite();
  if (!record) return Failed(StatusCode::kNoMemory);
  const auto* bytes = static_cast<const std::uint8_t*>(ticket.bytes);
  const bool unpacked = ticket.length ? UnpackTicket(*record, bytes, *ticket.length)
                                      : bytes && UnpackTicket(*record, bytes);
  return unpacked ? Status{} : Failed(StatusCode::kBadTicket);
}

// Builds the ticket's attribute list and hands it to `write`, turning the
// XML layer's failures into the result.
template <typename Write>
Status WriteTicket(PackedTicket ticket, const ReleaseProfile& release, Write&& write) {
  std::unique_ptr<TicketRecord> record;
  if (Status r = Unpack(ticket, record); !r) return r;
  std::unique_ptr<AttrNodeList> list;
  BuildTicketAttributes(*record, list, release);
  try {
    write(*list);
  } catch (const OvraParseException& e) {
    return DocumentFailed(e);
  }
  return {};
}

}  // namespace

Status SaveTicketDocument(const char* file_name, const char* base_name, PackedTicket ticket,
                          const ReleaseProfile& release) {
  return WriteTicket(ticket, release, [&](const AttrNodeList& list) {
    VelmorXmlFile file(kOvraDocument, file_name, base_name);
    file.SetRelease(release);
    file.WriteList(list);
  });
}

Status WriteTicketDocument(const char* base_name, PackedTicket ticket, XmlOutputCallback* output,
                           const ReleaseProfile& release) {
  return WriteTicket(ticket, release, [&](const AttrNodeList& list) {
    VelmorXmlDataStream stream(kOvraDocument, output, base_name);
    stream.SetRelease(release);
    stream.WriteList(list);
  });
}

Status LoadTicketDocument(const char* file_name, const char* base_name,
                          std::vector<std::uint8_t>& packed, const ReleaseProfile& release) {
  auto record = TicketRecord::AllocateForOverwrite();
  if (!record) return Failed(StatusCode::kNoMemory);
  VelmorXmlFile file(kOvraDocument, file_name, base_name);
  file.SetRelease(release);
  std::optional<OvraParseException> error;
  if (FillTicketRecord(file, *record, &error)) return DocumentFailed(error);
  if (!PackTicket(*record, packed)) return Failed(StatusCode::kPackFailed);
  return {};
}

}  // namespace ovrabjt

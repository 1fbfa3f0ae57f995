// Packed ticket bytes -> bounded unpack -> attribute list -> ovra text ->
// read back -> record -> pack. Any bytes may be refused at the unpack; a
// ticket that unpacked must give a document that reads back and a record
// that packs.
#include <cstdint>
#include <memory>

#include "convert/ticket_conversion.h"
#include "fuzz_support.h"
#include "support/text_output.h"
#include "ticket/packing.h"
#include "xml/velmor_xml_data_stream.h"

using namespace ovrabjt;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto record = TicketRecord::Allocate();
  if (!UnpackTicket(*record, data, size)) return 0;

  std::unique_ptr<AttrNodeList> list;
  fuzz::Check(!BuildTicketAttributes(*record, list), "the attribute list is built");
  test::TextOutput text;
  VelmorXmlDataStream writer(kOvraDocument, &text, fuzz::OvraBaseName());
  fuzz::MustSucceed([&] { writer.WriteList(*list); }, "the ticket's document is written");

  VelmorXmlDataStream reader(kOvraDocument, nullptr, fuzz::OvraBaseName());
  reader.SetInput(text.text.data(), static_cast<std::uint32_t>(text.text.size()));
  auto back = TicketRecord::Allocate();
  fuzz::Check(!FillTicketRecord(reader, *back), "a document the module wrote reads back");

  std::uint32_t packed_size = 0;
  fuzz::Check(PackTicket(nullptr, *back, &packed_size), "the record read back measures");
  auto packed = std::make_unique<std::uint8_t[]>(packed_size);
  fuzz::Check(PackTicket(packed.get(), *back, nullptr), "the record read back packs");
  return 0;
}

// Ovra text from memory -> attribute list -> record -> pack -> unpack ->
// document again. Any text may be refused by the parser or the document
// type; a text that was read must give a record that packs, a packed ticket
// that unpacks and a document that reads back.
#include <cstdint>
#include <memory>

#include "convert/ticket_conversion.h"
#include "fuzz_support.h"
#include "support/text_output.h"
#include "ticket/packing.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_xml_data_stream.h"

using namespace ovrabjt;

namespace {

// Writes the list as an ovra document and returns its text.
std::string WriteDocument(const AttrNodeList& list) {
  test::TextOutput text;
  VelmorXmlDataStream writer(kOvraDocument, &text, fuzz::OvraBaseName());
  fuzz::MustSucceed([&] { writer.WriteList(list); }, "the document is written");
  return std::move(text.text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 1u << 20) return 0;
  VelmorXmlDataStream reader(kOvraDocument, nullptr, fuzz::OvraBaseName());
  reader.SetInput(data, static_cast<std::uint32_t>(size));
  AttrNodeList list;
  try {
    reader.Read(list);
  } catch (const OvraParseException&) {
    return 0;
  }
  auto record = TicketRecord::Allocate();
  InitTicketRecord(*record);
  ReadTicketAttributes(list, *record);

  std::uint32_t packed_size = 0;
  fuzz::Check(PackTicket(nullptr, *record, &packed_size), "the record measures");
  auto packed = std::make_unique<std::uint8_t[]>(packed_size);
  fuzz::Check(PackTicket(packed.get(), *record, nullptr), "the record packs");

  auto again = TicketRecord::Allocate();
  fuzz::Check(UnpackTicket(*again, packed.get(), packed_size), "the packed record unpacks");
  std::unique_ptr<AttrNodeList> rebuilt;
  fuzz::Check(!BuildTicketAttributes(*again, rebuilt), "the attribute list is built");
  const std::string text = WriteDocument(*rebuilt);

  reader.SetInput(text.data(), static_cast<std::uint32_t>(text.size()));
  AttrNodeList reread;
  fuzz::MustSucceed([&] { reader.Read(reread); }, "a document the module wrote reads back");
  return 0;
}

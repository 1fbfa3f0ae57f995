#include "convert/ticket_conversion.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt {

bool FillTicketRecord(VelmorXmlDataStream& source, TicketRecord& record,
                      std::optional<OvraParseException>* error) {
  InitTicketRecord(record);
  AttrNodeList list;
  try {
    source.Read(list);
  } catch (const OvraParseException& e) {
    // Nothing was filled yet: the record still holds exactly its defaults.
    if (error) *error = e;
    return true;
  }
  ReadTicketAttributes(list, record, source.Release());
  return false;
}

}  // namespace ovrabjt

// Helpers shared by the media tests: building member lists and fresh tickets.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "attr/attr_value_factory.h"
#include "convert/attr_builders.h"
#include "convert/media/media_collection.h"
#include "convert/media/media_record.h"
#include "inspect/attr_dump.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::media_test {

inline void Put(AttrNodeList& list, std::string_view name, std::string_view syntax,
                std::string_view text) {
  list.Append(name, AttrValueFactory::CreateValue(syntax, text));
}

inline void PutInt(AttrNodeList& list, std::string_view name, int value) {
  Put(list, name, "integer", std::to_string(value));
}

// A "media-size" collection; a negative dimension is left out.
inline void PutSize(AttrNodeList& list, int x, int y) {
  AttrNodeList& size = AddCollection(list, "media-size", kCollection);
  if (x >= 0) PutInt(size, "x-dimension", x);
  if (y >= 0) PutInt(size, "y-dimension", y);
}

// A ticket whose twenty slots hold untouched records, as a fresh record has.
inline std::unique_ptr<TicketRecord> FreshTicket() {
  auto ticket = TicketRecord::Allocate();
  for (std::size_t k = 0; k < kMediaSlots; ++k) InitMediaRecord(ticket->MediaSlot(k));
  return ticket;
}

// The members that WriteMediaCollection gives for a record, as text.
inline std::string WrittenMembers(const ConstFieldView& record) {
  AttrNodeList members;
  WriteMediaCollection(members, record);
  return DumpAttrList(members);
}

}  // namespace ovrabjt::media_test

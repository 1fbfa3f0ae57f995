#include "ticket/ticket_record.h"

#include <algorithm>
#include <new>

namespace ovrabjt {

std::unique_ptr<TicketRecord> TicketRecord::Allocate() {
  return std::unique_ptr<TicketRecord>(new (std::nothrow) TicketRecord());
}

std::unique_ptr<TicketRecord> TicketRecord::AllocateForOverwrite() {
  return std::unique_ptr<TicketRecord>(new (std::nothrow) TicketRecord(ForOverwrite{}));
}

std::size_t TicketRecord::OverridesInUse() const {
  return std::min<std::size_t>(Get(ticket_field::kPageOverrideCount), kMaxOverrides);
}

void RenumberTicketStrings(TicketRecord& record, std::uint16_t removed) {
  ForEachStringRef(record, [&](Field<std::uint16_t> f) {
    std::uint16_t v = record.Get(f);
    if (v > removed) record.Set(f, static_cast<std::uint16_t>(v - 1));
    return true;
  });
}

// The pass that looks for a second holder also notes whether any field
// refers past the string: a string appended last, as a fill releases most
// often, then needs no second pass to renumber.
void ReleaseTicketString(TicketRecord& record, std::uint16_t index) {
  int holders = 0;
  bool later = false;
  ForEachStringRef(record, [&](Field<std::uint16_t> f) {
    const std::uint16_t v = record.Get(f);
    holders += v == index;
    later = later || v > index;
    return holders < 2;
  });
  if (holders > 1 || !RemoveTicketStringAt(record.strings, index)) return;
  if (later) RenumberTicketStrings(record, index);
  record.Set(ticket_field::kStringCount,
             static_cast<std::uint16_t>(record.Get(ticket_field::kStringCount) - 1));
}

bool ReadTicketString(const TicketRecord& record, std::uint16_t index, std::string& out) {
  out.clear();
  if (index == 0) return true;
  return GetTicketStringAt(record.strings, index, out);
}

namespace {

// Whether writing `text` over the field's string `old` leaves the record as
// it is: `old` is the last string, counted, and the entry of that text.
// Releasing and re-adding it would re-append it where it was, after a pass
// over every reference; a field read from two attributes of one text does so.
bool RewritesLastString(const TicketRecord& record, std::uint16_t old, std::string_view text) {
  return old != 0 && !text.empty() && old == record.strings.size() &&
         old == record.Get(ticket_field::kStringCount) && record.strings.Find(text) == old;
}

}  // namespace

bool WriteTicketString(TicketRecord& record, Field<std::uint16_t> field, std::string_view text) {
  text = text.substr(0, text.find('\0'));
  if (text.size() > kMaxTicketString) text = text.substr(0, kMaxTicketString);

  const std::uint16_t old = record.Get(field);
  if (RewritesLastString(record, old, text)) return true;
  if (old != 0) ReleaseTicketString(record, old);
  if (text.empty()) {
    record.Set(field, 0);
    return true;
  }
  const std::uint16_t index = AddTicketString(record.strings, text);
  record.Set(field, index);
  if (index > record.Get(ticket_field::kStringCount))
    record.Set(ticket_field::kStringCount,
               static_cast<std::uint16_t>(record.Get(ticket_field::kStringCount) + 1));
  return true;
}

}  // namespace ovrabjt

// The ticket record: the fixed 34368 bytes and the string table they refer to.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ticket/field.h"
#include "ticket/layout.h"
#include "ticket/ticket_strings.h"

namespace ovrabjt {

class TicketRecord {
 public:
  TicketRecord() = default;
  TicketRecord(const TicketRecord&) = delete;
  TicketRecord& operator=(const TicketRecord&) = delete;

  // A zeroed record on the heap, or null when memory runs out.
  static std::unique_ptr<TicketRecord> Allocate();

  template <typename T>
  T Get(Field<T> f) const {
    return view().Get(f);
  }
  template <typename T>
  void Set(Field<T> f, std::type_identity_t<T> v) {
    view().Set(f, v);
  }
  std::string_view Text(TextField f) const { return view().Text(f); }
  void SetText(TextField f, std::string_view text) { view().SetText(f, text); }

  FieldView view() { return {bytes.data(), bytes.size()}; }
  ConstFieldView view() const { return {bytes.data(), bytes.size()}; }

  // Views of one media slot, page-override record or inserted-sheet record.
  FieldView MediaSlot(std::size_t slot) { return Sub(MediaSlotOffset(slot), kMediaRecordSize); }
  ConstFieldView MediaSlot(std::size_t slot) const {
    return Sub(MediaSlotOffset(slot), kMediaRecordSize);
  }
  FieldView Override(std::size_t i) { return Sub(OverrideOffset(i), kOverrideRecordSize); }
  ConstFieldView Override(std::size_t i) const {
    return Sub(OverrideOffset(i), kOverrideRecordSize);
  }
  FieldView Insert(std::size_t i) { return Sub(InsertOffset(i), kInsertRecordSize); }
  ConstFieldView Insert(std::size_t i) const { return Sub(InsertOffset(i), kInsertRecordSize); }

  // Page-override records that the string table looks at: the used count,
  // never more than the record holds.
  std::size_t OverridesInUse() const;

  // Forgets which media slots this conversion has handed out; part of the
  // record's initialisation.
  void ResetMediaClaims() { claimed_media_slots = 0; }

  std::array<std::uint8_t, kTicketSize> bytes{};
  TicketStringList strings;
  // Bit k set: media slot k was handed out while filling this record, so it
  // is no longer free even when it still looks like an untouched slot.
  std::uint32_t claimed_media_slots = 0;

 private:
  FieldView Sub(std::size_t offset, std::size_t size) { return {bytes.data() + offset, size}; }
  ConstFieldView Sub(std::size_t offset, std::size_t size) const {
    return {bytes.data() + offset, size};
  }
};

// ForEachStringRef - calls fn(field) for every string-reference field of the
// record, job level first, then those of the page overrides in use, until fn
// returns false.
template <typename Fn>
void ForEachStringRef(const TicketRecord& record, Fn&& fn) {
  for (Field<std::uint16_t> f : kTicketStringRefs)
    if (!fn(f)) return;
  const std::size_t used = record.OverridesInUse();
  for (std::size_t i = 0; i < used; ++i)
    for (Field<std::uint16_t> f : kOverrideStringRefs)
      if (!fn(At(OverrideOffset(i), f))) return;
}

// IsTicketStringShared - true when more than one string-reference field of the
// record (job level and used page overrides) holds `index`.
bool IsTicketStringShared(const TicketRecord& record, std::uint16_t index);

// RenumberTicketStrings - lowers by one every string-reference field holding an
// index above `removed`.
void RenumberTicketStrings(TicketRecord& record, std::uint16_t removed);

// ReleaseTicketString - removes string `index` from the table, lowering the
// later references and the string count, unless another field also holds it.
// The field that held it is left for the caller to overwrite.
void ReleaseTicketString(TicketRecord& record, std::uint16_t index);

// ReadTicketString - the text of `index` into `out`: "" and true for 0, "" and
// false when the table has no such text.
bool ReadTicketString(const TicketRecord& record, std::uint16_t index, std::string& out);

// WriteTicketString - stores the text (cut to 1000 characters) in the string
// field: the field's previous text is released when no other field shares it,
// an empty text leaves 0. Always true.
bool WriteTicketString(TicketRecord& record, Field<std::uint16_t> field, std::string_view text);

}  // namespace ovrabjt

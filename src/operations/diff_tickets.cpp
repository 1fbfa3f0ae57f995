#include "operations/diff_tickets.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>

#include "convert/media/media_id.h"
#include "convert/media/media_record.h"
#include "convert/ticket_conversion.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;

// A force-front page is named by its place alone ("forceFrontPages[1]").
constexpr FieldInfo kForceFrontPage{"", FieldKind::kI32, 0};

// A field's value as it takes part in a comparison.
struct Value {
  std::int64_t number = 0;
  std::string text;
  bool missing_string = false;  // a string index the table does not hold

  bool operator==(const Value&) const = default;
};

Value ValueOf(const TicketRecord& ticket, const FieldInfo& field, const ConstFieldView& view) {
  Value v;
  switch (field.kind) {
    case FieldKind::kText:
      v.text = view.Text(field.Text());
      break;
    case FieldKind::kStringRef:
      // No string and an empty one are the same; a missing one is its index.
      if (!ReadTicketString(ticket, static_cast<std::uint16_t>(field.Number(view)), v.text)) {
        v.missing_string = true;
        v.number = field.Number(view);
      }
      break;
    default:
      v.number = field.Number(view);
  }
  return v;
}

// One ticket's view of an entry that may be missing.
struct Entry {
  const TicketRecord& ticket;
  std::optional<ConstFieldView> view;  // none: the ticket has no such entry
};

class Differ {
 public:
  Differ() {
    fresh_ = TicketRecord::Allocate();
    if (!fresh_) throw std::bad_alloc();
    InitTicketRecord(*fresh_);
    InitMediaRecord(MediaView(untouched_));
  }

  // The fields of two entries of one kind; an entry that one side lacks is
  // compared with `defaults`, and only the fields it gives are shown.
  void Entries(const std::string& prefix, std::span<const FieldInfo> fields, const Entry& a,
               const Entry& b, const ConstFieldView& defaults) {
    if (!a.view && !b.view) return;
    for (const FieldInfo& f : fields) {
      if (f.name == "stringCount") continue;
      const std::string name = prefix + std::string(f.name);
      if (f.kind == FieldKind::kMediaId)
        Media(name, f, a, b, defaults);
      else
        Field(name, f, a, b, defaults);
    }
  }

  std::vector<TicketDifference> Take() { return std::move(out_); }
  const TicketRecord& Fresh() const { return *fresh_; }

 private:
  static DiffSide Absent(const Entry& e, DiffSide::Kind kind) {
    return {kind, &e.ticket, {nullptr, 0}};
  }
  static DiffSide Present(const Entry& e) { return {DiffSide::Kind::kField, &e.ticket, *e.view}; }

  void Field(const std::string& name, const FieldInfo& f, const Entry& a, const Entry& b,
             const ConstFieldView& defaults) {
    const Value va = ValueOf(a.view ? a.ticket : *fresh_, f, a.view ? *a.view : defaults);
    const Value vb = ValueOf(b.view ? b.ticket : *fresh_, f, b.view ? *b.view : defaults);
    if (va == vb) return;
    out_.push_back({name, &f, a.view ? Present(a) : Absent(a, DiffSide::Kind::kNoEntry),
                    b.view ? Present(b) : Absent(b, DiffSide::Kind::kNoEntry)});
  }

  // The media two fields name, by content. A medium one side lacks (no
  // entry, no medium, or an identifier that names no slot) shows the fields
  // the other side's medium gives; media alike but for their slots are equal.
  // Identifiers that name no medium on either side compare as numbers.
  void Media(const std::string& name, const FieldInfo& f, const Entry& a, const Entry& b,
             const ConstFieldView& defaults) {
    const auto id = [&](const Entry& e) {
      return static_cast<std::uint32_t>(f.Number(e.view ? *e.view : defaults));
    };
    const std::uint32_t id_a = id(a), id_b = id(b);
    const std::optional<std::size_t> slot_a = MediaSlotOf(id_a), slot_b = MediaSlotOf(id_b);
    const std::size_t before = out_.size();
    if (slot_a || slot_b) {
      const auto medium = [](const Entry& e, std::optional<std::size_t> slot) {
        return slot ? Entry{e.ticket, e.ticket.MediaSlot(*slot)} : Entry{e.ticket, std::nullopt};
      };
      Entries(name + ".", MediaFieldCatalog(), medium(a, slot_a), medium(b, slot_b),
              MediaView(untouched_));
      for (std::size_t i = before; i < out_.size(); ++i) {
        if (!slot_a) out_[i].a = Lacking(a);
        if (!slot_b) out_[i].b = Lacking(b);
      }
      if (out_.size() != before || (slot_a && slot_b)) return;
    }
    // An untouched medium against none, or two identifiers that name none.
    if (id_a == id_b) return;
    out_.push_back({name, &f, a.view ? Present(a) : Absent(a, DiffSide::Kind::kNoEntry),
                    b.view ? Present(b) : Absent(b, DiffSide::Kind::kNoEntry)});
  }

  DiffSide Lacking(const Entry& e) const {
    return e.view ? DiffSide{DiffSide::Kind::kNoMedium, &e.ticket, {nullptr, 0}}
                  : Absent(e, DiffSide::Kind::kNoEntry);
  }

  std::unique_ptr<TicketRecord> fresh_;
  MediaBytes untouched_{};
  std::vector<TicketDifference> out_;
};

std::size_t Count(const TicketRecord& t, Field<std::uint16_t> count, std::size_t slots) {
  return std::min<std::size_t>(t.Get(count), slots);
}

}  // namespace

const FieldInfo& ForceFrontPageField() { return kForceFrontPage; }

std::vector<TicketDifference> DiffTickets(const TicketRecord& a, const TicketRecord& b) {
  Differ d;
  d.Entries("", JobFieldCatalog(), {a, a.view()}, {b, b.view()}, d.Fresh().view());

  const auto records = [&](std::string_view kind, Field<std::uint16_t> count, std::size_t slots,
                           std::span<const FieldInfo> fields,
                           ConstFieldView (TicketRecord::*record)(std::size_t) const) {
    const std::size_t na = Count(a, count, slots), nb = Count(b, count, slots);
    for (std::size_t i = 0; i < std::max(na, nb); ++i) {
      const auto entry = [&](const TicketRecord& t, std::size_t n) {
        return i < n ? Entry{t, (t.*record)(i)} : Entry{t, std::nullopt};
      };
      d.Entries(std::string(kind) + "[" + std::to_string(i) + "].", fields, entry(a, na),
                entry(b, nb), (d.Fresh().*record)(i));
    }
  };
  records("pageOverrides", tf::kPageOverrideCount, kMaxOverrides, OverrideFieldCatalog(),
          &TicketRecord::Override);
  records("insertSheets", tf::kInsertCount, kMaxInserts, InsertFieldCatalog(),
          &TicketRecord::Insert);

  const std::size_t na = Count(a, tf::kForceFrontCount, kMaxForceFront);
  const std::size_t nb = Count(b, tf::kForceFrontCount, kMaxForceFront);
  const auto page = [](const TicketRecord& t, std::size_t i, std::size_t n) {
    const std::uint8_t* at = t.bytes.data() + ForceFrontPage(i).offset;
    return i < n ? Entry{t, ConstFieldView(at, sizeof(std::int32_t))} : Entry{t, std::nullopt};
  };
  const ConstFieldView no_page(d.Fresh().bytes.data() + ForceFrontPage(0).offset,
                               sizeof(std::int32_t));
  for (std::size_t i = 0; i < std::max(na, nb); ++i)
    d.Entries("forceFrontPages[" + std::to_string(i) + "]", std::span(&kForceFrontPage, 1),
              page(a, i, na), page(b, i, nb), no_page);
  return d.Take();
}

}  // namespace ovrabjt

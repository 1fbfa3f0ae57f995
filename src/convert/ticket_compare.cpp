#include "convert/ticket_compare.h"

#include <algorithm>

#include "convert/media/media_id.h"
#include "ticket/field_catalog.h"

namespace ovrabjt {

namespace {

namespace tf = ticket_field;

std::string StringText(const TicketRecord& record, std::int64_t index) {
  std::string text;
  if (!ReadTicketString(record, static_cast<std::uint16_t>(index), text))
    return "(no string " + std::to_string(index) + ")";
  return text;
}

class Comparer {
 public:
  Comparer(const TicketRecord& l, const TicketRecord& r) : left_(l), right_(r) {}

  void Fields(const std::string& prefix, std::span<const FieldInfo> fields, const ConstFieldView& l,
              const ConstFieldView& r) {
    for (const FieldInfo& f : fields) Field(prefix + std::string(f.name), f, l, r);
  }

  std::vector<FieldDifference> Take() { return std::move(out_); }

  void Add(std::string field, std::string l, std::string r) {
    out_.push_back({std::move(field), std::move(l), std::move(r)});
  }

 private:
  void Field(const std::string& name, const FieldInfo& f, const ConstFieldView& l,
             const ConstFieldView& r) {
    switch (f.kind) {
      case FieldKind::kText: {
        const std::string_view a = l.Text(f.Text()), b = r.Text(f.Text());
        if (a != b) Add(name, std::string(a), std::string(b));
        return;
      }
      case FieldKind::kStringRef: {
        const std::string a = StringText(left_, f.Number(l)), b = StringText(right_, f.Number(r));
        if (a != b) Add(name, a, b);
        return;
      }
      case FieldKind::kMediaId:
        Media(name, static_cast<std::uint32_t>(f.Number(l)),
              static_cast<std::uint32_t>(f.Number(r)));
        return;
      default: {
        const std::int64_t a = f.Number(l), b = f.Number(r);
        if (a != b) Add(name, std::to_string(a), std::to_string(b));
      }
    }
  }

  void Media(const std::string& name, std::uint32_t l, std::uint32_t r) {
    const auto a = MediaSlotOf(l), b = MediaSlotOf(r);
    if (!a || !b) {
      if (a.has_value() != b.has_value() || l != r) Add(name, MediaName(l, a), MediaName(r, b));
      return;
    }
    Fields(name + ".", MediaFieldCatalog(), left_.MediaSlot(*a), right_.MediaSlot(*b));
  }

  static std::string MediaName(std::uint32_t id, std::optional<std::size_t> slot) {
    if (slot) return "slot " + std::to_string(*slot);
    return id == kNoMedia ? "no medium" : "invalid medium " + std::to_string(id);
  }

  const TicketRecord& left_;
  const TicketRecord& right_;
  std::vector<FieldDifference> out_;
};

std::size_t CommonCount(const TicketRecord& l, const TicketRecord& r, Field<std::uint16_t> f,
                        std::size_t slots) {
  return std::min<std::size_t>({l.Get(f), r.Get(f), slots});
}

}  // namespace

std::vector<FieldDifference> CompareTickets(const TicketRecord& left, const TicketRecord& right) {
  Comparer c(left, right);
  c.Fields("", JobFieldCatalog(), left.view(), right.view());
  const std::size_t overrides = CommonCount(left, right, tf::kPageOverrideCount, kMaxOverrides);
  for (std::size_t i = 0; i < overrides; ++i)
    c.Fields("pageOverrides[" + std::to_string(i) + "].", OverrideFieldCatalog(), left.Override(i),
             right.Override(i));
  const std::size_t inserts = CommonCount(left, right, tf::kInsertCount, kMaxInserts);
  for (std::size_t i = 0; i < inserts; ++i)
    c.Fields("insertSheets[" + std::to_string(i) + "].", InsertFieldCatalog(), left.Insert(i),
             right.Insert(i));
  const std::size_t pages = CommonCount(left, right, tf::kForceFrontCount, kMaxForceFront);
  for (std::size_t i = 0; i < pages; ++i) {
    const std::int32_t a = left.Get(ForceFrontPage(i)), b = right.Get(ForceFrontPage(i));
    if (a != b)
      c.Add("forceFrontPages[" + std::to_string(i) + "]", std::to_string(a), std::to_string(b));
  }
  return c.Take();
}

}  // namespace ovrabjt

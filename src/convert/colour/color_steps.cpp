#include "convert/colour/color_steps.h"

#include "convert/colour/rendering_intent.h"

namespace ovrabjt {

namespace {

bool IsGiven(const TicketRecord& ticket, AbsenceBit bit) {
  return (ticket.Get(bit.word) & bit.mask) == 0;
}

void MarkGiven(TicketRecord& ticket, AbsenceBit bit) {
  ticket.Set(bit.word, static_cast<std::uint16_t>(ticket.Get(bit.word) & ~bit.mask));
}

// Whether an occurrence of "color-emulation" is the code's own keyword as
// the writer spells it; any other text, a keyword in other letters included,
// is a name of the driver's own, kept exactly.
bool IsWrittenEmulationKeyword(std::string_view text) {
  const auto code = kColorEmulations.CodeOf(text);
  return code && *kColorEmulations.ValueOf(*code) == text;
}

}  // namespace

void ReadAdjustments(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields) {
  for (const Adjustment& a : fields.adjustments) {
    std::int32_t value = 0;
    if (!ReadInteger(list, a.name, 0, value)) continue;
    ticket.Set(a.field, static_cast<std::int16_t>(value));
    MarkGiven(ticket, a.absent);
  }
}

void WriteAdjustments(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields) {
  for (const Adjustment& a : fields.adjustments)
    if (IsGiven(ticket, a.absent)) AddNumber(list, ticket.Get(a.field), a.name, "integer");
}

void ReadRenderingIntents(const AttrNodeList& list, TicketRecord& ticket,
                          const ColorFields& fields) {
  for (const auto& intent : fields.rendering_intents)
    ReadRenderingIntent(list, intent.name, ticket.view(), intent.field);
}

void WriteRenderingIntents(AttrNodeList& list, const TicketRecord& ticket,
                           const ColorFields& fields) {
  for (const auto& intent : fields.rendering_intents)
    WriteRenderingIntent(list, ticket.Get(intent.field), intent.name);
}

void ReadTicketText(const AttrNodeList& list, std::string_view name, TicketRecord& ticket,
                    Field<std::uint16_t> field) {
  std::string text;
  if (ReadString(list, name, 0, text)) WriteTicketString(ticket, field, text);
}

void WriteTicketText(AttrNodeList& list, const TicketRecord& ticket, Field<std::uint16_t> field,
                     std::string_view name, std::string_view syntax) {
  std::string text;
  if (ReadTicketString(ticket, ticket.Get(field), text)) AddString(list, text, name, syntax);
}

void ReadColorNames(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields,
                    std::span<const ColorNameAttribute> table) {
  for (const ColorNameAttribute& a : table)
    ReadTicketText(list, a.name, ticket, fields.NameField(a));
}

void WriteColorNames(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields,
                     std::span<const ColorNameAttribute> table) {
  for (const ColorNameAttribute& a : table)
    WriteTicketText(list, ticket, fields.NameField(a), a.name, a.syntax);
}

void ReadTrcName(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields) {
  const AttrNodeList* trc = nullptr;
  if (ReadCollection(list, kTrcAttribute, 0, trc))
    ReadTicketText(*trc, kTrcNameAttribute, ticket, fields.trc_name);
}

void WriteTrc(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields) {
  std::string text;
  if (!ReadTicketString(ticket, ticket.Get(fields.trc_name), text) || text.empty()) return;
  AttrNodeList& trc = AddCollection(list, kTrcAttribute, kCollection);
  AddString(trc, text, kTrcNameAttribute, "name");
}

void ReadHalftone(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields,
                  std::span<const std::string_view> names) {
  for (std::string_view name : names) {
    std::string text;
    if (!ReadString(list, name, 0, text)) continue;
    WriteTicketString(ticket, fields.halftone, text);
    return;
  }
}

void WriteHalftones(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields) {
  std::string text;
  if (!ReadTicketString(ticket, ticket.Get(fields.halftone), text)) return;
  for (std::string_view name : kHalftoneWriteOrder) AddString(list, text, name, "keyword");
}

void ReadColorEmulationName(const AttrNodeList& list, TicketRecord& ticket,
                            const ColorFields& fields) {
  std::string first;
  std::string text;
  std::size_t occurrence = 0;
  for (; ReadString(list, kColorEmulationAttribute, occurrence, text); ++occurrence, text.clear()) {
    if (!IsWrittenEmulationKeyword(text)) {
      WriteTicketString(ticket, fields.emulation_name, text);
      return;
    }
    if (occurrence == 0) first = text;
  }
  if (occurrence > 0) WriteTicketString(ticket, fields.emulation_name, first);
}

void ReadColorEmulationCode(const AttrNodeList& list, TicketRecord& ticket,
                            const ColorFields& fields) {
  std::string text;
  for (std::size_t occurrence = 0; ReadString(list, kColorEmulationAttribute, occurrence, text);
       ++occurrence, text.clear()) {
    if (const auto code = kColorEmulations.CodeOf(text)) {
      ticket.Set(fields.emulation, *code);
      ticket.Set(fields.emulation_copy, *code);
      return;
    }
  }
}

void WriteColorEmulationName(AttrNodeList& list, const TicketRecord& ticket,
                             const ColorFields& fields) {
  WriteTicketText(list, ticket, fields.emulation_name, kColorEmulationAttribute, "keyword");
}

void ReadTrapWidths(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields) {
  for (const TrapWidth& w : fields.trap_widths) {
    std::int32_t value = 0;
    if (!ReadInteger(list, w.name, 0, value)) continue;
    ticket.Set(w.field, static_cast<std::uint8_t>(value));
    MarkGiven(ticket, w.absent);
  }
}

void WriteTrapWidths(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields) {
  for (const TrapWidth& w : fields.trap_widths)
    if (IsGiven(ticket, w.absent)) AddNumber(list, ticket.Get(w.field), w.name, "integer");
}

}  // namespace ovrabjt

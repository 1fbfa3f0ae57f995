// The steps that the job-level and page-level colour settings share. Each
// reads or writes one group of attributes at the level `fields` describes;
// the two levels call them in their own orders.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "attr/attr_node_list.h"
#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "convert/code_table.h"
#include "convert/colour/color_fields.h"
#include "convert/colour/colour_vocabulary.h"
#include "ticket/ticket_record.h"

namespace ovrabjt {

// ReadAdjustments - each adjustment present: the low 16 bits of its value
// (0 for a value that is not a number) and its absence bit cleared.
void ReadAdjustments(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields);
// WriteAdjustments - an integer for each adjustment whose absence bit is
// clear; the three colour-balance ones therefore always come together.
void WriteAdjustments(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields);

// ReadRenderingIntents / WriteRenderingIntents - images, text and graphics,
// in that order.
void ReadRenderingIntents(const AttrNodeList& list, TicketRecord& ticket,
                          const ColorFields& fields);
void WriteRenderingIntents(AttrNodeList& list, const TicketRecord& ticket,
                           const ColorFields& fields);

// ReadTicketText - the text of the named attribute, when present, into the
// string field (a value without text empties the field).
void ReadTicketText(const AttrNodeList& list, std::string_view name, TicketRecord& ticket,
                    Field<std::uint16_t> field);
// WriteTicketText - the text of the string field as the named attribute; no
// attribute for an empty text or an index the string table lacks.
void WriteTicketText(AttrNodeList& list, const TicketRecord& ticket, Field<std::uint16_t> field,
                     std::string_view name, std::string_view syntax);

// ReadColorNames / WriteColorNames - the colour-management names of `table`
// in its order, each in its field at this level.
void ReadColorNames(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields,
                    std::span<const ColorNameAttribute> table);
void WriteColorNames(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields,
                     std::span<const ColorNameAttribute> table);

// ReadTrcName - "trc-name" of the "trc" collection; neither a missing
// collection nor a missing member changes the field.
void ReadTrcName(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields);
// WriteTrc - a "trc" collection holding "trc-name", when there is a name.
void WriteTrc(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields);

// ReadHalftone - the text of the first of `names` present, into the halftone
// field; none present: unchanged.
void ReadHalftone(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields,
                  std::span<const std::string_view> names);
// WriteHalftones - every halftone attribute as a keyword with the one name.
void WriteHalftones(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields);

// ReadColorEmulationName - the driver's own colour-emulation name. The
// attribute may come twice, first with the code's keyword and then with the
// name, so the name is the first occurrence that is not a keyword spelt as
// the writer spells it ("SWOP" is a name), or the first occurrence when all
// are.
void ReadColorEmulationName(const AttrNodeList& list, TicketRecord& ticket,
                            const ColorFields& fields);
// ReadColorEmulationCode - the code of the first "color-emulation" that is
// a keyword, into both copies.
void ReadColorEmulationCode(const AttrNodeList& list, TicketRecord& ticket,
                            const ColorFields& fields);
// WriteColorEmulationName - the name as a "color-emulation" keyword, when
// there is one.
void WriteColorEmulationName(AttrNodeList& list, const TicketRecord& ticket,
                             const ColorFields& fields);

// ReadTrapWidths - each width present: its low 8 bits and its absence bit
// cleared.
void ReadTrapWidths(const AttrNodeList& list, TicketRecord& ticket, const ColorFields& fields);
// WriteTrapWidths - an integer for each width whose absence bit is clear.
void WriteTrapWidths(AttrNodeList& list, const TicketRecord& ticket, const ColorFields& fields);

// WritePrinterResolution - the "printer-resolution" of the job, if its code
// names one.
void WritePrinterResolution(AttrNodeList& list, const TicketRecord& ticket);

// ReadSwitch - the code of the named attribute's keyword, in any letter case;
// any other text leaves the field. True when the field was set.
template <std::size_t N>
bool ReadSwitch(const AttrNodeList& list, std::string_view name,
                const KeywordTable<std::uint8_t, N>& table, TicketRecord& ticket,
                Field<std::uint8_t> field) {
  std::string text;
  if (!ReadString(list, name, 0, text)) return false;
  const auto code = table.CodeOf(text);
  if (!code) return false;
  ticket.Set(field, *code);
  return true;
}

// WriteSwitch - the named attribute as the keyword of the field's code;
// nothing for a code without one.
template <std::size_t N>
void WriteSwitch(AttrNodeList& list, std::string_view name,
                 const KeywordTable<std::uint8_t, N>& table, const TicketRecord& ticket,
                 Field<std::uint8_t> field) {
  if (const auto keyword = table.ValueOf(ticket.Get(field)))
    AddString(list, *keyword, name, "keyword");
}

}  // namespace ovrabjt

// The colour settings of one page override, in the page order.
#include <algorithm>

#include "convert/color/color_settings.h"
#include "convert/color/color_steps.h"

namespace ovrabjt {

namespace {

// The string table renumbers and shares texts only among the page overrides
// counted as used. An override being read is counted once its page ranges
// are known, after its texts are written; until then it is counted here, so
// that replacing one of its texts neither drops a text that another field
// still holds nor leaves its other texts pointing at moved strings.
class CountOverrideAsUsed {
 public:
  CountOverrideAsUsed(TicketRecord& ticket, std::size_t override_index)
      : ticket_(ticket), saved_(ticket.Get(ticket_field::kPageOverrideCount)) {
    const std::size_t needed = std::min(override_index + 1, kMaxOverrides);
    if (needed > saved_)
      ticket_.Set(ticket_field::kPageOverrideCount, static_cast<std::uint16_t>(needed));
  }
  ~CountOverrideAsUsed() { ticket_.Set(ticket_field::kPageOverrideCount, saved_); }
  CountOverrideAsUsed(const CountOverrideAsUsed&) = delete;
  CountOverrideAsUsed& operator=(const CountOverrideAsUsed&) = delete;

 private:
  TicketRecord& ticket_;
  std::uint16_t saved_;
};

}  // namespace

void ReadPageColorSettings(const AttrNodeList& members, TicketRecord& ticket,
                           std::size_t override_index, const ReleaseProfile& release) {
  const ColorFields page = PageColorFields(override_index);
  const CountOverrideAsUsed counted(ticket, override_index);
  ReadAdjustments(members, ticket, page);
  ReadRenderingIntents(members, ticket, page);
  ReadColorNames(members, ticket, page, kDestinationProfiles);
  ReadColorEmulationName(members, ticket, page);
  ReadColorNames(members, ticket, page, kUndefinedSources);
  ReadTrcName(members, ticket, page);
  if (release.halftones) ReadHalftone(members, ticket, page, kHalftoneReadOrder);
  ReadColorEmulationCode(members, ticket, page);
  ReadKeyword(members, kTrappingAttribute, kTrappings, ticket.view(), page.trapping);
  // Whatever the trapping, unlike the job.
  if (release.trap_widths) ReadTrapWidths(members, ticket, page);
  ReadKeyword(members, kAntiAliasingAttribute, kAntiAliasings, ticket.view(), page.anti_aliasing);
  ReadKeyword(members, kBlackOverprintAttribute, kBlackOverprints, ticket.view(),
              page.black_overprint);
}

void WritePageColorSettings(AttrNodeList& members, const TicketRecord& ticket,
                            std::size_t override_index, const ReleaseProfile& release) {
  const ColorFields page = PageColorFields(override_index);
  WriteAdjustments(members, ticket, page);
  WriteRenderingIntents(members, ticket, page);
  WriteColorNames(members, ticket, page, kDestinationProfiles);
  WriteColorNames(members, ticket, page, kUndefinedSources);
  if (release.halftones) WriteHalftones(members, ticket, page);
  WriteTrc(members, ticket, page);
  AddKeyword(members, kColorEmulations, ticket.Get(page.emulation), kColorEmulationAttribute);
  WriteColorEmulationName(members, ticket, page);
  AddKeyword(members, kTrappings, ticket.Get(page.trapping), kTrappingAttribute);
  AddKeyword(members, kAntiAliasings, ticket.Get(page.anti_aliasing), kAntiAliasingAttribute);
  AddKeyword(members, kBlackOverprints, ticket.Get(page.black_overprint), kBlackOverprintAttribute);
  if (release.trap_widths) WriteTrapWidths(members, ticket, page);
}

}  // namespace ovrabjt

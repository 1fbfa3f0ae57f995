// The job's colour settings, in the job's own order.
#include "convert/color/color_settings.h"
#include "convert/color/color_steps.h"

namespace ovrabjt {

namespace {

constexpr ColorFields kJob = JobColorFields();

// Trap widths count only while trapping is not switched off, and only in
// releases that know them.
bool TrapWidthsApply(const TicketRecord& ticket, const ReleaseProfile& release) {
  return release.trap_widths && ticket.Get(kJob.trapping) != kTrappingOff;
}

}  // namespace

void ReadJobColorSettings(const AttrNodeList& list, TicketRecord& ticket,
                          const ReleaseProfile& release) {
  ReadAdjustments(list, ticket, kJob);
  ReadRenderingIntents(list, ticket, kJob);
  ReadColorEmulationName(list, ticket, kJob);
  ReadColorNames(list, ticket, kJob, kDestinationProfiles);
  ReadColorNames(list, ticket, kJob, kUndefinedSources);
  ReadTrcName(list, ticket, kJob);
  // The job keeps the graphics halftone only.
  if (release.halftones) ReadHalftone(list, ticket, kJob, std::span(kHalftoneReadOrder).first(1));
  ReadColorEmulationCode(list, ticket, kJob);
  ReadKeyword(list, kTrappingAttribute, kTrappings, ticket.view(), kJob.trapping);
  if (TrapWidthsApply(ticket, release)) ReadTrapWidths(list, ticket, kJob);
  ReadKeyword(list, kAntiAliasingAttribute, kAntiAliasings, ticket.view(), kJob.anti_aliasing);
  ReadKeyword(list, kBlackOverprintAttribute, kBlackOverprints, ticket.view(),
              kJob.black_overprint);
}

void WriteJobColorSettings(AttrNodeList& list, const TicketRecord& ticket,
                           const ReleaseProfile& release) {
  WriteAdjustments(list, ticket, kJob);
  WriteRenderingIntents(list, ticket, kJob);
  WriteColorNames(list, ticket, kJob, kDestinationProfiles);
  WriteColorNames(list, ticket, kJob, kUndefinedSources);
  WriteTrc(list, ticket, kJob);
  if (release.halftones) WriteHalftones(list, ticket, kJob);
  AddKeyword(list, kColorEmulations, ticket.Get(kJob.emulation), kColorEmulationAttribute);
  WritePrinterResolution(list, ticket);
  AddKeyword(list, kTrappings, ticket.Get(kJob.trapping), kTrappingAttribute);
  if (TrapWidthsApply(ticket, release)) WriteTrapWidths(list, ticket, kJob);
  AddKeyword(list, kAntiAliasings, ticket.Get(kJob.anti_aliasing), kAntiAliasingAttribute);
  AddKeyword(list, kBlackOverprints, ticket.Get(kJob.black_overprint), kBlackOverprintAttribute);
  WriteColorEmulationName(list, ticket, kJob);
}

}  // namespace ovrabjt

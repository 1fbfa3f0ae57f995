#include <cstdint>

#include "convert/color/color_settings.h"
#include "convert/color/color_steps.h"

namespace ovrabjt {

void ReadPrinterResolution(const AttrNodeList& list, TicketRecord& ticket) {
  const AttrNodeList* members = nullptr;
  if (!ReadCollection(list, kPrinterResolutionAttribute, 0, members)) return;
  std::int32_t cross_feed = 0, feed_direction = 0, units = 0;
  if (!ReadInteger(*members, kCrossFeedMember, 0, cross_feed) ||
      !ReadInteger(*members, kFeedDirectionMember, 0, feed_direction) ||
      !ReadInteger(*members, kUnitsMember, 0, units))
    return;
  if (units != kDotsPerInch || cross_feed != feed_direction) return;
  if (const auto code = kPrinterResolutions.CodeOf(cross_feed))
    ticket.Set(ticket_field::kPrinterResolution, *code);
}

void WritePrinterResolution(AttrNodeList& list, const TicketRecord& ticket) {
  const auto dpi = kPrinterResolutions.ValueOf(ticket.Get(ticket_field::kPrinterResolution));
  if (!dpi) return;
  AttrNodeList& members = AddCollection(list, kPrinterResolutionAttribute, kResolution);
  AddNumber(members, *dpi, kCrossFeedMember, kInteger);
  AddNumber(members, *dpi, kFeedDirectionMember, kInteger);
  AddNumber(members, kDotsPerInch, kUnitsMember, kInteger);
}

}  // namespace ovrabjt

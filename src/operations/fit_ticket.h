// Will a ticket print as asked on a printer? Every setting of the ticket that
// a capability of the printer's capabilities document constrains ("trc" by
// "trc-supported", and so on for the destination profiles, the undefined
// sources, "halftone-graphics" and "finishing-template") is looked for among
// the capability's values, at the job level and in each page override in use.
// Values compare as the format compares them: keywords without regard to ASCII
// letter case, names exactly. A capability the document lacks constrains
// nothing; a setting the ticket does not give is never unsupported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/ticket_record.h"

namespace ovrabjt {

struct UnsupportedSetting {
  std::optional<std::size_t> page_override;  // the page-override record; none for the job
  std::int32_t first_page = 0;               // the pages of that record
  std::int32_t last_page = 0;
  std::string_view attribute;          // "halftone-graphics"
  std::string_view capability;         // "halftone-graphics-supported"
  std::string value;                   // the ticket's text
  std::vector<std::string> supported;  // every value the capability lists, in its order
  // The string field the setting lives in; none for the finishing template.
  std::optional<Field<std::uint16_t>> field;
};

struct FitReport {
  // The capabilities of the document that constrain the ticket's settings,
  // in the order of the release's capability selectors.
  std::vector<std::string_view> capabilities;
  std::size_t checked = 0;                      // settings given by the ticket and compared
  std::vector<UnsupportedSetting> unsupported;  // job first, then each page override

  bool Fits() const { return unsupported.empty(); }
};

// FitTicket - compares the ticket's settings with the capabilities list (a
// parsed capabilities document). Capability names and the settings they
// constrain follow `release`. A capability value that is not a text reads
// as an empty text, as the driver's capability query reads it.
FitReport FitTicket(const TicketRecord& ticket, const AttrNodeList& capabilities,
                    const ReleaseProfile& release = BuildRelease());

// DropUnsupported - returns each setting of the report to its "not given"
// default: a string field to no string (its text is released when no other
// field holds it), a finishing template to no finishing and no template.
void DropUnsupported(TicketRecord& ticket, const FitReport& report);

}  // namespace ovrabjt

// The colour and image-quality settings of a job and of its page overrides,
// between the ticket record and the attribute list, in both directions.
#pragma once

#include <cstddef>

#include "attr/attr_node_list.h"
#include "convert/colour/highlight_color.h"
#include "convert/colour/rendering_intent.h"
#include "releases/release_profile.h"
#include "ticket/ticket_record.h"

namespace ovrabjt {

// ReadJobColorSettings - the job's colour attributes of `list` into the
// ticket's own fields and its string table. An absent attribute, or a
// keyword outside its list, leaves its field (and presence bit) as it was.
// Trap widths are not read while trapping is "off". Halftones and trap
// widths are read only in releases that know them.
void ReadJobColorSettings(const AttrNodeList& list, TicketRecord& ticket,
                          const ReleaseProfile& release = BuildRelease());

// ReadPageColorSettings - the colour attributes among the members of one
// "page-overrides" entry into page-override record `override_index`; its
// texts go into the ticket's string table; `override_index` is below 250.
// The record need not be counted as used yet: while its texts are written it
// is treated as used, so that texts it shares with other fields are neither
// lost nor misnumbered.
void ReadPageColorSettings(const AttrNodeList& members, TicketRecord& ticket,
                           std::size_t override_index,
                           const ReleaseProfile& release = BuildRelease());

// WriteJobColorSettings - appends the job's colour attributes, in the job's
// order, for every value that is given; the record is not changed.
void WriteJobColorSettings(AttrNodeList& list, const TicketRecord& ticket,
                           const ReleaseProfile& release = BuildRelease());

// WritePageColorSettings - appends the colour attributes of page-override
// record `override_index`, in the page order, to the entry's members.
void WritePageColorSettings(AttrNodeList& members, const TicketRecord& ticket,
                            std::size_t override_index,
                            const ReleaseProfile& release = BuildRelease());

// ReadPrinterResolution - a "printer-resolution" collection of 600 x 600 or
// 300 x 300 dots per inch ("units" 3) sets the job's resolution code; any
// other content, or a missing member, leaves it as it was.
void ReadPrinterResolution(const AttrNodeList& list, TicketRecord& ticket);

}  // namespace ovrabjt

// Settings over a ticket: the attributes of an ovra document (the delta) read
// over a filled ticket record (the base) instead of over the defaults of a
// fresh one, through the readers of a load and in their order. What the delta
// names replaces the base's setting; what it does not name stays as the base
// has it.
//
// Settings a reading over a filled record would otherwise mix are replaced
// as a whole when the delta names them:
// - "page-overrides", "insert-sheet" and "force-front-side": the base's page
//   overrides, inserted sheets or force-front pages are dropped and the
//   delta's take their place;
// - "imposition-template" stands for the template and signature imposition,
//   "color-emulation" for the emulation's code and its name: both fields
//   come from the delta;
// - "cover-front" and "cover-back" each replace one cover; the base's other
//   cover stays, and the covers' mode is worked out from both as a load
//   works it out.
// The delta's own "trapping", not the base's, decides whether the delta's
// job-level trap widths are read, as in a load.
// A "media-col" of the delta takes an equal or free slot of the base's media
// table as a load would; slots that fields of the result still name are never
// written. Afterwards the media table and the string table hold only what
// some field names: other slots are untouched media, other strings removed.
// A keyword outside its table, or a value of another syntax, leaves the
// base's setting, as it leaves a fresh record's default in a load. Settings a
// load never reads (the saved-job settings, the stored document) stay as the
// base has them.
#pragma once

#include <optional>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/ticket_record.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

class VelmorXmlDataStream;

// MergeTicketAttributes - reads the delta's attribute list over `base`.
void MergeTicketAttributes(const AttrNodeList& delta, TicketRecord& base,
                           const ReleaseProfile& release = BuildRelease());

// MergeTicketDocument - reads the delta document from `source` (an ovra
// document, validated as a load validates it) and merges it over `base`.
// True on failure (the document could not be read, parsed or validated),
// with `base` as it was and, when `error` is given, the failure in it.
bool MergeTicketDocument(VelmorXmlDataStream& source, TicketRecord& base,
                         std::optional<OvraParseException>* error = nullptr);

}  // namespace ovrabjt

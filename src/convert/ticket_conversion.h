// The job-level mapping between the ticket record and the attribute list of
// an ovra document, in both directions.
#pragma once

#include <memory>
#include <optional>

#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "ticket/ticket_record.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

class VelmorXmlDataStream;

// InitTicketRecord - every default of a fresh ticket: the record zeroed, the
// documented defaults written, every media slot, page override and inserted
// sheet at its defaults, the string table empty.
void InitTicketRecord(TicketRecord& record);

// BuildTicketAttributes - a new list, handed out through `out` at once, with
// one attribute per setting of the record in the document's fixed order.
// Only reads the record. Returns false when the list is built.
bool BuildTicketAttributes(const TicketRecord& record, std::unique_ptr<AttrNodeList>& out,
                           const ReleaseProfile& release = BuildRelease());

// ReadTicketAttributes - fills an initialised record from a document's
// attribute list, in the document's fixed reading order. Counts never exceed
// the record's 250 page overrides, inserted sheets and force-front pages.
void ReadTicketAttributes(const AttrNodeList& list, TicketRecord& record,
                          const ReleaseProfile& release = BuildRelease());

// FillTicketRecord - initialises the record, reads the document from `source`
// into a list and fills the record from it. True on failure (the document
// could not be read, parsed or validated), with the record at its defaults
// and, when `error` is given, the failure in it.
bool FillTicketRecord(VelmorXmlDataStream& source, TicketRecord& record,
                      std::optional<OvraParseException>* error = nullptr);

// Words and names follow `release` in all three; FillTicketRecord follows
// the source's release.

}  // namespace ovrabjt

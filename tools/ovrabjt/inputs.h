// The files that merge, fit and diff read and write: tickets in either form,
// ovra documents of settings, capabilities documents. Each read says in a
// sentence naming the file what is wrong with a file of the wrong kind.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "attr/attr_node_list.h"
#include "commands.h"
#include "prolog.h"
#include "ticket/ticket_record.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

// DocumentKindOf - the kind of XML text by its root element: ovra, kesp or
// mediaprefs; kNoDocument when the root is none of them or is not found.
DocumentKind DocumentKindOf(std::string_view text);

// ReadTicketFile - a packed ticket, or an ovra document read as a load reads
// it, into `record`. False with `error` on failure.
bool ReadTicketFile(const GlobalOptions& global, const std::string& path, TicketRecord& record,
                    std::string& error);

// ReadSettingsDocument - the bytes of an ovra document, refusing a packed
// ticket and documents of the other kinds; `role` names what the document
// is for ("a delta").
bool ReadSettingsDocument(const std::string& path, std::string_view role, std::string& text,
                          std::string& error);

// DescribeDocumentRead - the sentence for a failed read of ovra text staged
// in `staged` and shown as the file `path`.
std::string DescribeDocumentRead(const GlobalOptions& global, const std::string& path,
                                 const std::string& staged, const OvraParseException& failure);

// ParseCapabilities - the attribute list of capabilities document text, or
// null with `error` (the document named as `shown`).
std::unique_ptr<AttrNodeList> ParseCapabilities(const std::string& text, const std::string& shown,
                                                std::string& error);

// ReadCapabilitiesFile - ParseCapabilities of a file, refusing what is not
// XML and documents of the other kinds.
std::unique_ptr<AttrNodeList> ReadCapabilitiesFile(const std::string& path, std::string& error);

// WriteTicketFile - the record to `output`, packed, or as an ovra document
// when `xml`. A packed ticket is not written to a terminal. False with
// `error` on failure.
bool WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                     const std::string& output, bool xml, std::string& error);

}  // namespace ovrabjt::cli

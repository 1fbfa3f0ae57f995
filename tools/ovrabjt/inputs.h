// The files the subcommands read and write: tickets in either form, ovra
// documents, capabilities documents. Every read refuses a file of the wrong
// kind in the words of WrongKind, and every ovra document read is checked
// for values that do not take effect (value_check.h).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "attr/attr_node_list.h"
#include "commands.h"
#include "frame/status.h"
#include "ticket/ticket_record.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

// ReadDocumentText - the text of the file `path` (- for standard input),
// which must be XML text of `kind`.
Status ReadDocumentText(const std::string& path, DocumentKind kind, std::string& text);

// ReadTicketDocument - the packed ticket of the ovra document `input`,
// whose text is `text`, loaded as LoadOvra loads it. Its values that do not
// take effect are warned about, and refuse it when `strict`.
Status ReadTicketDocument(const GlobalOptions& global, bool strict, const std::string& input,
                          const std::string& text, std::vector<std::uint8_t>& packed);

// ReadTicketBytes - the packed ticket of the file `input`: its own bytes
// when they are not XML text, else ReadTicketDocument of them. An empty file
// is refused.
Status ReadTicketBytes(const GlobalOptions& global, bool strict, const std::string& input,
                       std::vector<std::uint8_t>& packed);

// ReadTicketFile - ReadTicketBytes unpacked into `record` by the bounded
// unpack.
Status ReadTicketFile(const GlobalOptions& global, bool strict, const std::string& path,
                      TicketRecord& record);

// ReadCapabilitiesFile - the attribute list of the capabilities document
// `path`, as the driver's query reads it, into `list`; null on failure.
Status ReadCapabilitiesFile(const std::string& path, std::unique_ptr<AttrNodeList>& list);

// WriteTicketFile - the record to `output`, packed, or as an ovra document
// when `xml`.
Status WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                       const std::string& output, bool xml);

// RefuseTerminalOutput - UsageError when a packed ticket is to be written to
// `output` and that is standard output on a terminal; `other` names one
// more way out (", or --xml for a document").
void RefuseTerminalOutput(const std::string& output, std::string_view other = {});

}  // namespace ovrabjt::cli

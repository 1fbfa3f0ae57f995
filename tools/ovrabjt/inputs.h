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
#include "ticket/ticket_record.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

// ReadDocumentText - the text of the file `path` (- for standard input),
// which must be XML text of `kind`. Nothing, with `error`, on failure.
std::optional<std::string> ReadDocumentText(const std::string& path, DocumentKind kind,
                                            std::string& error);

// ReadTicketDocument - the packed ticket of the ovra document `input`,
// whose text is `text`, loaded as LoadOvra loads it. Its values that do not
// take effect are warned about, and refuse it when `strict`. False, with
// `error`, on failure.
bool ReadTicketDocument(const GlobalOptions& global, bool strict, const std::string& input,
                        const std::string& text, std::vector<std::uint8_t>& packed,
                        std::string& error);

// ReadTicketBytes - the packed ticket of the file `input`: its own bytes
// when they are not XML text, else ReadTicketDocument of them. An empty file
// is refused. False, with `error`, on failure.
bool ReadTicketBytes(const GlobalOptions& global, bool strict, const std::string& input,
                     std::vector<std::uint8_t>& packed, std::string& error);

// ReadTicketFile - ReadTicketBytes unpacked into `record` by the bounded
// unpack.
bool ReadTicketFile(const GlobalOptions& global, bool strict, const std::string& path,
                    TicketRecord& record, std::string& error);

// ReadCapabilitiesFile - the attribute list of the capabilities document
// `path`, as the driver's query reads it; null, with `error`, on failure.
std::unique_ptr<AttrNodeList> ReadCapabilitiesFile(const std::string& path, std::string& error);

// WriteTicketFile - the record to `output`, packed, or as an ovra document
// when `xml`. False, with `error`, on failure.
bool WriteTicketFile(const GlobalOptions& global, const TicketRecord& record,
                     const std::string& output, bool xml, std::string& error);

// RefuseTerminalOutput - UsageError when a packed ticket is to be written to
// `output` and that is standard output on a terminal; `other` names one
// more way out (", or --xml for a document").
void RefuseTerminalOutput(const std::string& output, std::string_view other = {});

}  // namespace ovrabjt::cli

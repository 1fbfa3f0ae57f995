// Sentences for people about failed reads of documents: what the file layer
// and the XML library said, which the conversions themselves do not pass on.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xml/dom_tree_error_reporter.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

// One read of a document through the library's file reader.
struct DocumentRead {
  std::string path;       // the file read (a staged copy for standard input)
  std::string shown;      // how messages name it: "'job.xml'", "standard input"
  std::string base_name;  // the name it is parsed under; empty for none
  DocumentKind kind = kOvraDocument;
};

// What the library reported about one read.
struct DocumentReport {
  std::vector<XmlMessage> messages;
  std::string system_error;  // the file layer's reason, when a file call failed
};

// ReadDocumentReport - reads the document again, into a list that is thrown
// away, to gather the library's messages and the file layer's reason; the
// conversions that failed keep neither.
DocumentReport ReadDocumentReport(const DocumentRead& read);

// ReadTextReport - the same for an unnamed document held in memory, as the
// capabilities are read.
DocumentReport ReadTextReport(DocumentKind kind, std::string_view text);

// IsAboutDocument - whether the message is about the document itself rather
// than another entity (its document type).
bool IsAboutDocument(const XmlMessage& message, const DocumentRead& read);

// DescribeMessage - "line 12, column 5: text", naming the entity when the
// message is about another one than the document (its document type).
std::string DescribeMessage(const XmlMessage& message, const DocumentRead& read);

// Messages of the XML library longer than this are cut (ShortMessage).
inline constexpr std::size_t kMessageWidth = 120;

// ShortMessage - the message as it is when it fits kMessageWidth, else cut
// with its essentials first: what is not allowed, then as much of a content
// model as fits, then "...".
std::string ShortMessage(std::string_view text);

// DescribeCause - for an ovra document that failed to parse, the cause in
// words when the document type was not there to check it against: no
// document type declaration, or a document type that cannot be opened
// ("'job.xml': cannot open document type 'ovra-v02012.dtd' (looked in D)").
// Nothing when the document type is in place.
std::optional<std::string> DescribeCause(const DocumentRead& read);

// DescribeDocumentFailure - one sentence for a failed read: "cannot open
// 'job.xml' for reading: No such file or directory", "'job.xml': document is
// not valid against ovra-v02012.dtd: line 12, column 5: ...".
std::string DescribeDocumentFailure(const OvraParseException& error, const DocumentReport& report,
                                    const DocumentRead& read);

// DescribeReadFailure - the same for a failed read of a file, whose report
// ReadDocumentReport gathers.
std::string DescribeReadFailure(const OvraParseException& error, const DocumentRead& read);

// MessageKindName - "warning", "error", "fatal error" or "library exception".
std::string_view MessageKindName(XmlMessage::Kind kind);

// KindName - "ovra", "kesp" or "mediaprefs".
std::string_view KindName(DocumentKind kind);

}  // namespace ovrabjt::cli

// Sentences for people about failed reads of documents: what the file layer
// and the XML library said, which the conversions themselves do not pass on.
#pragma once

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

// DescribeDocumentFailure - one sentence for a failed read: "cannot open
// 'job.xml' for reading: No such file or directory", "'job.xml': document is
// not valid against ovra-v02012.dtd: line 12, column 5: ...".
std::string DescribeDocumentFailure(const OvraParseException& error, const DocumentReport& report,
                                    const DocumentRead& read);

// MessageKindName - "warning", "error", "fatal error" or "library exception".
std::string_view MessageKindName(XmlMessage::Kind kind);

// KindName - "ovra", "kesp" or "mediaprefs".
std::string_view KindName(DocumentKind kind);

}  // namespace ovrabjt::cli

// What the start of an XML text says before the XML library reads it: the
// document type it declares and the name of its root element. The tool
// uses it to tell a document of the wrong kind, or without its document
// type, in words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "xml/velmor_xml_data_stream.h"

namespace ovrabjt::cli {

struct DocumentProlog {
  bool has_doctype = false;  // a <!DOCTYPE ...> stands before the root
  std::string system_id;     // the document type it names; empty for none
  std::string root;          // the root element's name; empty when not found
};

// ScanProlog - the prolog of `text` (after a byte-order mark, the XML
// declaration, comments and processing instructions), and the root's name.
// UTF-16 text, which the XML library reads too, is scanned as what it says.
DocumentProlog ScanProlog(std::string_view text);

// LooksLikeXml - whether the bytes are XML text rather than a packed ticket:
// their first character, after a byte-order mark and blanks, opens a tag,
// in UTF-8 or in UTF-16 of either byte order.
bool LooksLikeXml(std::string_view bytes);

// KindOfRoot - the kind of document a root element names ("ovra", "kesp",
// "mediaprefs"); nothing for any other name.
std::optional<DocumentKind> KindOfRoot(std::string_view root);

// DescribeKind - "an ovra job ticket", "a capabilities (kesp) document",
// "a media-preferences (mediaprefs) document".
std::string DescribeKind(DocumentKind kind);

// WrongKind - why the text of `shown` is not a document of `expected`
// ("'x.xml' is a media-preferences (mediaprefs) document, not a
// capabilities (kesp) document; 'ovrabjt stocks' reads it", "'t.bjt' is not
// an ovra job ticket: it holds no XML text; ..."); nothing when it is one, or
// when it is empty or its root cannot be found (the read or the XML library
// then says why).
std::optional<std::string> WrongKind(std::string_view text, DocumentKind expected,
                                     std::string_view shown);

// NotAPackedTicket - why the bytes of `shown` are not a packed ticket when
// they are XML text; nothing otherwise.
std::optional<std::string> NotAPackedTicket(std::string_view bytes, std::string_view shown);

}  // namespace ovrabjt::cli

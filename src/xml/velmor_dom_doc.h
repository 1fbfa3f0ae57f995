// The document kinds: each knows its empty document (template), where its
// attributes go under the root, and maps an attribute list to and from XML
// elements. A document lives for one read or one write.
//
// An attribute is an element named after it, with the XML attribute
// "syntax" (and xml:space="preserve" for name and text values); a scalar
// value is the element's text, a list value (collection, set, range) one
// child element per member.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>

#include "attr/attr_node.h"
#include "attr/attr_node_list.h"
#include "releases/release_profile.h"
#include "xml/attribute_stream.h"
#include "xml/velmor_xml_parser.h"

namespace ovrabjt {

// The XML attributes of an attribute's element.
inline constexpr char16_t kSyntaxAttribute[] = u"syntax";
inline constexpr char16_t kSpaceAttribute[] = u"xml:space";
inline constexpr char16_t kPreserve[] = u"preserve";

class VelmorDomDoc {
 public:
  // Elements nested deeper than this (the root being level 1) make a parse
  // fail with code 2 instead of exhausting the stack.
  static constexpr std::size_t kMaxElementDepth = BoundedDomParser::kMaxElementDepth;

  VelmorDomDoc(const VelmorDomDoc&) = delete;
  VelmorDomDoc& operator=(const VelmorDomDoc&) = delete;
  virtual ~VelmorDomDoc();

  // GetTemplate - the kind's empty document as XML text.
  virtual std::string_view GetTemplate() const = 0;

  // IsGroupElement - whether `element` is a group element, which a read
  // looks into although it has no "syntax".
  bool IsGroupElement(const xercesc::DOMElement& element) const;

  // Parse - parses `text` as this document (codes 1 and 2).
  void Parse(std::string_view text);

  // ReadText - parses `text` as this document and appends its attributes to
  // `list` as ReadInto appends them after Parse, reading them while the text
  // is scanned instead of from the library's tree, which is not built. On a
  // failure (codes 1 and 2) the list is left as it was.
  void ReadText(std::string_view text, AttrNodeList& list);

  // ReadInto - appends the attributes of the parsed document to `list`, in
  // document order: elements with "syntax" become attributes, group
  // elements dissolve into their attributes, anything else is skipped.
  // Raises code 5 on a library error, code 2 on elements nested too deep;
  // attributes read before stay in the list.
  void ReadInto(AttrNodeList& list) const;

  // WriteListTo - writes the text of the template with one element per
  // attribute of `list`, in order, under its group element, without
  // building the elements in the library's tree. Raises code 6 (detail: the
  // attribute's name) for a name the library would refuse as an element and
  // what GroupNameFor raises, both before anything is written, then codes 3
  // and 4 of the writer. The tests hold its bytes and failures to those of
  // the document built element by element (tests/support/dom_oracle.h).
  void WriteListTo(const AttrNodeList& list, XmlOutputCallback& output);

  // GroupNameFor - the name of the group element under which the top-level
  // `attribute` is written; empty for the root itself.
  virtual std::string_view GroupNameFor(const AttrNode& attribute) const;

  // The parser, with the library's messages of the last parse.
  const VelmorXmlParser& Parser() const { return *parser_; }
  VelmorXmlParser& Parser() { return *parser_; }

 protected:
  // Creates the parser of a document of `reach` (codes 20, 23); the document
  // follows `release`.
  VelmorDomDoc(DocumentReach reach, bool validate, const ReleaseProfile& release);

  const ReleaseProfile& Release() const { return release_; }

  // The test of the kind's group elements by name; the base kind has none.
  virtual AttributeStream::GroupTest GroupTest() const;

 private:
  // Reading (attribute_tree.cpp).
  void ReadChildren(const xercesc::DOMElement& parent, std::size_t parent_level,
                    AttrNodeList& list) const;
  std::unique_ptr<AttrNode> MakeAttribute(const xercesc::DOMElement& element,
                                          const xercesc::DOMAttr& syntax, std::size_t level) const;
  std::string_view TagName(const xercesc::DOMElement& element) const;
  std::unique_ptr<VelmorXmlParser> parser_;
  const ReleaseProfile& release_;
  // Narrow tag names of the document being read, by the library's copy.
  mutable std::unordered_map<const XMLCh*, std::string> tag_names_;
  // The syntax and the text of the element being read.
  mutable std::string syntax_buffer_;
  mutable std::string text_buffer_;
};

// The job ticket: its attributes sit under two group elements, the
// operation attributes and the job-template attributes.
class OvraDomDoc final : public VelmorDomDoc {
 public:
  // Ovra documents are validated against the document type they name, a
  // file beside `name`, and bring no declarations of their own.
  OvraDomDoc(std::string_view name, bool validate, const ReleaseProfile& release = BuildRelease());

  std::string_view GetTemplate() const override;
  // The group of the attribute's name; raises code 7 (detail: the name) for
  // a name outside both groups.
  std::string_view GroupNameFor(const AttrNode& attribute) const override;

 private:
  // True for "ovra-operation-attributes" and "job-template-attributes".
  AttributeStream::GroupTest GroupTest() const override;
};

// The printer's capabilities; attributes sit directly under the root.
class KespDomDoc final : public VelmorDomDoc {
 public:
  // The document called `name` reads files beside it.
  KespDomDoc(std::string_view name, bool validate, const ReleaseProfile& release = BuildRelease());
  KespDomDoc(DocumentReach reach, bool validate, const ReleaseProfile& release = BuildRelease());
  std::string_view GetTemplate() const override;
};

// The media preferences; attributes sit directly under the root.
class MediaPrefsDomDoc final : public VelmorDomDoc {
 public:
  MediaPrefsDomDoc(std::string_view name, bool validate,
                   const ReleaseProfile& release = BuildRelease());
  MediaPrefsDomDoc(DocumentReach reach, bool validate,
                   const ReleaseProfile& release = BuildRelease());
  std::string_view GetTemplate() const override;
};

}  // namespace ovrabjt

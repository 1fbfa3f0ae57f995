// One XML document of the module: parsed from memory into a DOM, and written
// back out as XML text. The parser is also the formatter's output target, so
// the writer's state lives here.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMProcessingInstruction.hpp>
#include <xercesc/framework/XMLFormatter.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include "attr/attr_node.h"
#include "xml/bounded_dom_parser.h"
#include "xml/document_reach.h"
#include "xml/dom_tree_error_reporter.h"
#include "xml/grammar_cache.h"

namespace ovrabjt {

class VelmorXmlParser : public xercesc::XMLFormatTarget {
 public:
  // Creates the parser of the document called `name`: a path or other name
  // as bytes, read as UTF-8, that becomes the system identifier against which
  // relative references in the text (its DTD) resolve; it reads files in the
  // folder of that name. With `validate` the document must be valid against
  // its DTD; without, it is not checked. Starts the XML library if needed:
  // raises code 20 after its termination, code 23 when it cannot start.
  VelmorXmlParser(std::string_view name, bool validate);
  // The same for a document of `reach`, named after it.
  VelmorXmlParser(DocumentReach reach, bool validate);
  VelmorXmlParser(const VelmorXmlParser&) = delete;
  VelmorXmlParser& operator=(const VelmorXmlParser&) = delete;
  ~VelmorXmlParser() override;

  // The library's allocation hooks need the library running; the parser must
  // be creatable (and fail with code 20) when it is not.
  static void* operator new(std::size_t size) { return ::operator new(size); }
  static void operator delete(void* block) noexcept { ::operator delete(block); }

  // Parse - parses `text` (XML bytes, not copied, only read during the call)
  // into a new document that replaces the previous one. Raises code 1 when
  // the library raises an exception, code 2 when it reported an error or a
  // fatal error; warnings are ignored. The messages stay in Reporter().
  void Parse(std::string_view text);

  // Parse - the same with the content of the root element handed to `sink`
  // as it is scanned, instead of into the document, which then holds no
  // root element.
  void Parse(std::string_view text, ElementContentSink& sink);

  // ParseTemplate - Parse for a text whose document is only read afterwards,
  // never changed: a template. A parser kept with the shared grammar may
  // already hold the document of the same text, parsed without a message,
  // which then serves as it is.
  void ParseTemplate(std::string_view text);

  // GetDocument - the parsed document, owned by the parser; null before the
  // first parse.
  xercesc::DOMDocument* GetDocument() const;

  // WriteDocument - writes the document as XML text, in order, through
  // `output`'s Write, with line breaks and tabs when its Indent says so.
  // Raises code 4 when Write returns false (the text before stays with the
  // output), code 3 when the library raises or there is no document.
  void WriteDocument(XmlOutputCallback& output);

  // Elements that the root element holds after its own children, given as
  // attributes rather than as DOM nodes: a group element (named) holding
  // attribute elements, or attribute elements directly under the root
  // (unnamed group). Each attribute is an element named after it with
  // "syntax" (and xml:space="preserve" for name and text values), holding
  // its text or its members' elements. The names must be valid XML names.
  struct BodyGroup {
    std::string_view name;  // empty: the attributes sit directly under the root
    std::vector<const AttrNode*> attributes;
  };

  // WriteDocument - as above, the root holding `body` after its own
  // children. The text is exactly that of the document with the body built
  // into it, without the cost of building it.
  void WriteDocument(XmlOutputCallback& output, const std::vector<BodyGroup>& body);

  // The system identifier of the document, and the messages of the last
  // parse (and of a write that failed in the library).
  const std::u16string& SystemId() const { return system_id_; }
  const DOMTreeErrorReporter& Reporter() const { return reporter_; }

  // The formatter's output: hands the encoded bytes to the output's Write.
  void writeChars(const XMLByte* bytes, XMLSize_t count, xercesc::XMLFormatter* formatter) override;

 private:
  class WriteSession;

  void Configure();
  void ParseText(std::string_view text, bool is_template, ElementContentSink* sink);
  // Gives the library's parser back to the shared grammar, when there is one
  // and the parser's last parse succeeded, else destroys it.
  void ReleaseParser() noexcept;

  // Writer steps, one per kind of node (xml_writer.cpp).
  void WriteNode(const xercesc::DOMNode& node);
  void WriteChildren(const xercesc::DOMNode& node);
  void WriteDeclaration(const xercesc::DOMDocument& document);
  void WriteDocumentType(const xercesc::DOMDocumentType& type);
  void WriteQuoted(const XMLCh* value);
  void WriteProcessingInstruction(const xercesc::DOMProcessingInstruction& instruction);
  void WriteElement(const xercesc::DOMElement& element);
  void WriteAttributes(const xercesc::DOMElement& element);
  bool WriteElementChildren(const xercesc::DOMElement& element);
  void WriteLineBreak();
  void AppendLineBreak(std::u16string& text);
  const std::u16string& WideName(std::string_view narrow);
  void WriteRoot(const xercesc::DOMElement& root);
  bool WriteTemplateChildren(const xercesc::DOMNode& first);
  void WriteBodyGroup(const BodyGroup& group);
  void WriteAttributeElement(const AttrNode& attribute);
  // The same two through the formatter's bytes for each code-page byte, in a
  // UTF-8 document, gathered into stretches.
  void AppendBodyGroup(const BodyGroup& group);
  void AppendAttributeElement(const AttrNode& attribute);
  void AppendLineBreak();
  void HandOverStretch(std::size_t at_least);
  void Put(std::u16string_view text,
           xercesc::XMLFormatter::EscapeFlags escapes = xercesc::XMLFormatter::NoEscapes);
  void Put(const XMLCh* text,
           xercesc::XMLFormatter::EscapeFlags escapes = xercesc::XMLFormatter::NoEscapes);

  std::u16string system_id_;
  DocumentReach reach_;
  bool validate_;
  // The library's parser of the last parse, made for it, keeps pointers to
  // these two, which are declared first and outlive it.
  DOMTreeErrorReporter reporter_;
  std::shared_ptr<const CachedGrammar> grammar_;  // the shared one it may use
  std::unique_ptr<BoundedDomParser> parser_;
  bool parsed_ = false;        // the last parse succeeded
  std::string kept_template_;  // the template text whose document parser_ holds

  // Writer state, set up and torn down by each write.
  XmlOutputCallback* output_ = nullptr;
  std::unique_ptr<xercesc::XMLFormatter> formatter_;
  std::u16string encoding_name_;
  std::u16string indent_;                         // tabs only, one per open element level
  const class Utf8Escapes* escapes_ = nullptr;    // a UTF-8 document's byte table
  std::string stretch_;                           // bytes not yet handed to the output
  const std::vector<BodyGroup>* body_ = nullptr;  // what the root holds beyond the DOM
  // While a body is written: the names and syntax names converted so far
  // (keyed by the narrow texts, which live in the attribute list), and a
  // buffers for markup and values, reused from element to element.
  std::unordered_map<std::string_view, std::u16string> wide_names_;
  std::u16string markup_;
  std::string narrow_value_;
  std::u16string wide_value_;
};

}  // namespace ovrabjt

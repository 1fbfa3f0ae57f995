// The library's DOM parser with bounds that hold while the text is scanned,
// before the tree that a hostile document would make is built: the depth of
// elements, the names and attributes they use, the entities expanded and
// their size, and the files and document type the document may reach
// (DocumentReach). A document past a bound fails with a fatal error that
// names the bound.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/validators/DTD/DTDEntityDecl.hpp>

#include "xml/document_reach.h"
#include "xml/local_entity_resolver.h"
#include "xml/parse_memory.h"

namespace ovrabjt {

// What receives the content of the root element in place of the library's
// tree while a parser streams to it: the events in document order, with the
// library's strings, valid only during the call. The root element itself
// comes first and last.
class ElementContentSink {
 public:
  // An element's start, with its attributes (specified or defaulted by the
  // document type).
  virtual void StartElement(const xercesc::XMLElementDecl& element,
                            const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                            XMLSize_t attribute_count) = 0;
  virtual void EndElement() = 0;
  // Character data or whitespace; consecutive pieces make one text node.
  virtual void Text(std::u16string_view text) = 0;
  // A CDATA section, a comment or a processing instruction's data: each a
  // node of its own.
  virtual void OtherNode(std::u16string_view text) = 0;

 protected:
  ~ElementContentSink() = default;
};

namespace detail {
// Built before the library's parser, which allocates from it, and destroyed
// after it.
struct ParseMemoryHolder {
  ParseMemory memory;
};
}  // namespace detail

class BoundedDomParser : private detail::ParseMemoryHolder,
                         public xercesc::XercesDOMParser,
                         private ParseMemory::ReaderWatcher {
 public:
  // Element levels, the root being level 1. Reading recurses per level.
  static constexpr std::size_t kMaxElementDepth = 256;
  // Distinct element and attribute names in one document. The library keeps
  // names in a table of 257 buckets, so that colliding names make a parse
  // quadratic; every vocabulary of every release together has under 400.
  static constexpr std::size_t kMaxDistinctNames = 4096;
  // Attributes of one element; the library finds each among the element's
  // others one by one. The documents use at most three.
  static constexpr std::size_t kMaxAttributes = 64;
  // Entity expansions of one parse, general and parameter, internal and
  // external (the document type counts as one).
  static constexpr std::size_t kMaxEntityExpansions = 10000;
  // The characters of an internal entity's value, general or parameter; far
  // more than a name or a phrase needs (the module's documents use none).
  // With the count bounded too, entities add at most their product.
  static constexpr std::size_t kMaxEntityValue = 1024;

  // A parser for a document of `reach` (which must outlive its parses),
  // whose files it reads; with `grammars`, a locked pool whose grammars it
  // may use.
  explicit BoundedDomParser(const DocumentReach& reach,
                            xercesc::XMLGrammarPool* grammars = nullptr);
  ~BoundedDomParser() override;

  // BeginParse - every bound starts afresh for the next parse.
  void BeginParse();

  // StreamTo - the content of the root element of the next parses goes to
  // `sink` (null: into the library's tree again), which must outlive them.
  void StreamTo(ElementContentSink* sink) { sink_ = sink; }

  // TrustDocumentType - the document type at `path` (null: none), a file
  // beside the document whose shared grammar the next parses use, was looked
  // at when the grammar was found; the library asks for it again, from the
  // document called `document` (its system identifier), only to find that
  // grammar by its name, and is given it without a second look.
  void TrustDocumentType(const std::string* path, const std::u16string* document) {
    trusted_type_ = path;
    trusted_referrer_ = document;
  }

  // Rebind - the next parses are of a document of `reach` (which must
  // outlive them).
  void Rebind(const DocumentReach& reach);

  // Rest - releases the documents of past parses; true when the parser then
  // holds no more of its memory than after its first rest, so that a parser
  // kept for the next parse never accumulates what the library leaves behind.
  bool Rest();

  // OpenFile - a source reading the file at `path` (resolved before) within
  // the parse's read budget.
  xercesc::InputSource* OpenFile(const std::string& path) { return resolver_.Open(path); }

  // Library hooks: each checks its bound first, then does the library's work.
  void startElement(const xercesc::XMLElementDecl& element, unsigned int url_id,
                    const XMLCh* prefix, const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                    XMLSize_t attribute_count, bool is_empty, bool is_root) override;
  void endElement(const xercesc::XMLElementDecl& element, unsigned int url_id, bool is_root,
                  const XMLCh* prefix) override;
  void docCharacters(const XMLCh* chars, XMLSize_t length, bool cdata_section) override;
  void ignorableWhitespace(const XMLCh* chars, XMLSize_t length, bool cdata_section) override;
  void docComment(const XMLCh* comment) override;
  void docPI(const XMLCh* target, const XMLCh* data) override;
  void entityDecl(const xercesc::DTDEntityDecl& entity, bool is_parameter,
                  bool is_ignored) override;
  void doctypeDecl(const xercesc::DTDElementDecl& root, const XMLCh* public_id,
                   const XMLCh* system_id, bool has_internal_subset,
                   bool has_external_subset) override;
  xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

 private:
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view name) const {
      return std::hash<std::u16string_view>()(name);
    }
  };

  void ReaderOpened() override;
  bool IsTrustedDocumentType(const xercesc::XMLResourceIdentifier& resource) const;
  void CountName(bool added);
  // Reports `why` as a fatal error at the scanner's place and ends the scan.
  [[noreturn]] void Refuse(std::u16string_view why);

  const DocumentReach* reach_;
  LocalEntityResolver resolver_{*reach_};
  std::size_t blocks_at_rest_ = 0;  // 0 before the first rest
  ElementContentSink* sink_ = nullptr;
  const std::string* trusted_type_ = nullptr;
  const std::u16string* trusted_referrer_ = nullptr;
  std::size_t depth_ = 0;                          // open elements
  std::size_t readers_ = 0;                        // the document's own included
  std::unordered_set<const void*> element_names_;  // one declaration per name
  std::unordered_set<std::u16string, NameHash, std::equal_to<>> attribute_names_;
};

}  // namespace ovrabjt

#include "xml/bounded_dom_parser.h"

#include <string>
#include <utility>
#include <xercesc/framework/XMLErrorCodes.hpp>
#include <xercesc/internal/XMLScanner.hpp>
#include <xercesc/sax/Locator.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "platform/code_page.h"

namespace ovrabjt {
namespace {

std::u16string Bound(const char* what, std::size_t bound) {
  return Utf8ToUtf16(std::string(what) + std::to_string(bound));
}

}  // namespace

BoundedDomParser::BoundedDomParser(const DocumentReach& reach, xercesc::XMLGrammarPool* grammars)
    : xercesc::XercesDOMParser(nullptr, &memory, grammars), reach_(&reach) {
  memory.SetWatcher(this);
  // The scanner asks the parser for entities only when told to.
  getScanner()->setEntityHandler(this);
}

BoundedDomParser::~BoundedDomParser() { memory.SetWatcher(nullptr); }

void BoundedDomParser::BeginParse() {
  depth_ = 0;
  readers_ = 0;
  element_names_.clear();
  attribute_names_.clear();
  resolver_.ResetBudget();
}

void BoundedDomParser::Rebind(const DocumentReach& reach) {
  reach_ = &reach;
  resolver_.Rebind(reach);
}

bool BoundedDomParser::Rest() {
  resetDocumentPool();
  const std::size_t held = memory.BlocksHeld();
  if (blocks_at_rest_ == 0) blocks_at_rest_ = held;
  return held <= blocks_at_rest_;
}

// A refusal is a fatal error like the library's own: reported to the error
// handler with the place, then the scan ends the way the library ends it on
// a first fatal error (its scanner catches the code and returns).
void BoundedDomParser::Refuse(std::u16string_view why) {
  const std::u16string text(why);
  const xercesc::Locator* where = getScanner()->getLocator();
  error(xercesc::XMLErrs::XMLException_Fatal, xercesc::XMLUni::fgXMLErrDomain,
        xercesc::XMLErrorReporter::ErrType_Fatal, text.c_str(), where->getSystemId(),
        where->getPublicId(), where->getLineNumber(), where->getColumnNumber());
  throw xercesc::XMLErrs::XMLException_Fatal;
}

void BoundedDomParser::CountName(bool added) {
  if (added && element_names_.size() + attribute_names_.size() > kMaxDistinctNames)
    Refuse(
        Bound("more distinct element and attribute names than the bound of ", kMaxDistinctNames));
}

void BoundedDomParser::startElement(const xercesc::XMLElementDecl& element, unsigned int url_id,
                                    const XMLCh* prefix,
                                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                                    XMLSize_t attribute_count, bool is_empty, bool is_root) {
  if (depth_ + 1 > kMaxElementDepth)
    Refuse(Bound("elements nested deeper than the bound of ", kMaxElementDepth));
  if (attribute_count > kMaxAttributes)
    Refuse(Bound("an element with more attributes than the bound of ", kMaxAttributes));
  CountName(element_names_.insert(&element).second);
  for (XMLSize_t i = 0; i < attribute_count; ++i) {
    const std::u16string_view name = attributes.elementAt(i)->getQName();
    if (!attribute_names_.contains(name)) CountName(attribute_names_.emplace(name).second);
  }
  // An empty element is ended at once, by the library's tree or here.
  ++depth_;
  if (sink_ == nullptr) {
    xercesc::XercesDOMParser::startElement(element, url_id, prefix, attributes, attribute_count,
                                           is_empty, is_root);
    return;
  }
  sink_->StartElement(element, attributes, attribute_count);
  if (is_empty) endElement(element, url_id, is_root, prefix);
}

void BoundedDomParser::endElement(const xercesc::XMLElementDecl& element, unsigned int url_id,
                                  bool is_root, const XMLCh* prefix) {
  if (depth_ > 0) --depth_;
  if (sink_ == nullptr)
    xercesc::XercesDOMParser::endElement(element, url_id, is_root, prefix);
  else
    sink_->EndElement();
}

// Outside the root element the library keeps or drops content as always.
void BoundedDomParser::docCharacters(const XMLCh* chars, XMLSize_t length, bool cdata_section) {
  if (sink_ == nullptr || depth_ == 0)
    xercesc::XercesDOMParser::docCharacters(chars, length, cdata_section);
  else if (cdata_section)
    sink_->OtherNode({chars, length});
  else
    sink_->Text({chars, length});
}

void BoundedDomParser::ignorableWhitespace(const XMLCh* chars, XMLSize_t length,
                                           bool cdata_section) {
  if (sink_ == nullptr || depth_ == 0)
    xercesc::XercesDOMParser::ignorableWhitespace(chars, length, cdata_section);
  else if (getIncludeIgnorableWhitespace())
    sink_->Text({chars, length});
}

void BoundedDomParser::docComment(const XMLCh* comment) {
  if (sink_ == nullptr || depth_ == 0)
    xercesc::XercesDOMParser::docComment(comment);
  else if (getCreateCommentNodes())
    sink_->OtherNode(comment);
}

void BoundedDomParser::docPI(const XMLCh* target, const XMLCh* data) {
  if (sink_ == nullptr || depth_ == 0)
    xercesc::XercesDOMParser::docPI(target, data);
  else
    sink_->OtherNode(data != nullptr ? std::u16string_view(data) : std::u16string_view());
}

void BoundedDomParser::entityDecl(const xercesc::DTDEntityDecl& entity, bool is_parameter,
                                  bool is_ignored) {
  if (!entity.isExternal() && entity.getValueLen() > kMaxEntityValue)
    Refuse(Bound(is_parameter ? "a parameter entity's value longer than the bound of "
                              : "an entity's value longer than the bound of ",
                 kMaxEntityValue));
  xercesc::XercesDOMParser::entityDecl(entity, is_parameter, is_ignored);
}

void BoundedDomParser::doctypeDecl(const xercesc::DTDElementDecl& root, const XMLCh* public_id,
                                   const XMLCh* system_id, bool has_internal_subset,
                                   bool has_external_subset) {
  const std::u16string refusal = reach_->DocumentTypeRefusal(system_id, has_internal_subset);
  if (!refusal.empty()) Refuse(refusal);
  xercesc::XercesDOMParser::doctypeDecl(root, public_id, system_id, has_internal_subset,
                                        has_external_subset);
}

bool BoundedDomParser::IsTrustedDocumentType(const xercesc::XMLResourceIdentifier& resource) const {
  const XMLCh* system_id = resource.getSystemId();
  const XMLCh* referrer = resource.getBaseURI();
  return trusted_type_ != nullptr && system_id != nullptr && referrer != nullptr &&
         std::u16string_view(referrer) == *trusted_referrer_ &&
         reach_->FileBeside(system_id) == *trusted_type_;
}

// An external entity is refused before it is opened when it would be one
// expansion too many, so that no open file is left behind.
xercesc::InputSource* BoundedDomParser::resolveEntity(xercesc::XMLResourceIdentifier* resource) {
  if (readers_ + 1 > kMaxEntityExpansions + 1) ReaderOpened();
  if (IsTrustedDocumentType(*resource)) return resolver_.Open(*trusted_type_);
  std::u16string refusal;
  xercesc::InputSource* source = resolver_.Resolve(*resource, refusal);
  if (source == nullptr) Refuse(refusal);
  return source;
}

void BoundedDomParser::ReaderOpened() {
  if (++readers_ > kMaxEntityExpansions + 1)
    Refuse(Bound("more entity expansions than the bound of ", kMaxEntityExpansions));
}

}  // namespace ovrabjt

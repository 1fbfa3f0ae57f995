#include "document_values.h"

#include <memory>
#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNode.hpp>

#include "platform/code_page.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt::cli {

namespace {

using xercesc::DOMElement;
using xercesc::DOMNode;
using Shape = DocumentValue::Shape;

std::string Trimmed(const XMLCh* text) {
  std::u16string_view wide = text != nullptr ? std::u16string_view(text) : std::u16string_view();
  constexpr std::u16string_view kBlanks = u" \t\n\v\f\r";
  const std::size_t begin = wide.find_first_not_of(kBlanks);
  if (begin == std::u16string_view::npos) return {};
  const std::size_t end = wide.find_last_not_of(kBlanks);
  return Utf16ToUtf8(wide.substr(begin, end - begin + 1));
}

std::string NameOf(const DOMElement& element) { return Trimmed(element.getTagName()); }

void ReadElements(const DOMElement& parent, const VelmorDomDoc& doc,
                  std::vector<DocumentValue>& values);

// One element as the library makes an attribute of it: a text makes a
// scalar, no text a list of the member elements, no content nothing.
DocumentValue ReadValue(const DOMElement& element, const xercesc::DOMAttr& syntax,
                        const VelmorDomDoc& doc) {
  DocumentValue value{NameOf(element), Trimmed(syntax.getValue()), {}, Shape::kNothing, {}};
  const DOMNode* first = element.getFirstChild();
  if (first == nullptr) return value;
  if (first->getNodeType() != DOMNode::ELEMENT_NODE) value.text = Trimmed(first->getNodeValue());
  value.shape = value.text.empty() ? Shape::kList : Shape::kScalar;
  if (value.shape == Shape::kList) ReadElements(element, doc, value.members);
  return value;
}

void ReadElements(const DOMElement& parent, const VelmorDomDoc& doc,
                  std::vector<DocumentValue>& values) {
  for (const DOMNode* child = parent.getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    if (child->getNodeType() != DOMNode::ELEMENT_NODE) continue;
    const auto& element = static_cast<const DOMElement&>(*child);
    if (const xercesc::DOMAttr* syntax = element.getAttributeNode(u"syntax"))
      values.push_back(ReadValue(element, *syntax, doc));
    else if (doc.IsGroupElement(element))
      ReadElements(element, doc, values);
    else
      values.push_back({NameOf(element), {}, {}, Shape::kSkipped, {}});
  }
}

std::unique_ptr<VelmorDomDoc> NewDocument(DocumentKind kind, const std::string& base_name,
                                          const ReleaseProfile& release) {
  // Unnamed documents are read without validation, as the library reads
  // them.
  const bool named = !base_name.empty();
  const std::string name = named ? base_name : VelmorXmlDataStream::kDefaultName;
  switch (kind) {
    case kOvraDocument:
      return std::make_unique<OvraDomDoc>(name, true, release);
    case kKespDocument:
      return std::make_unique<KespDomDoc>(name, named, release);
    default:
      return std::make_unique<MediaPrefsDomDoc>(name, named, release);
  }
}

}  // namespace

std::vector<DocumentValue> ParseDocumentValues(std::string_view text, DocumentKind kind,
                                               const std::string& base_name,
                                               const ReleaseProfile& release) {
  const std::unique_ptr<VelmorDomDoc> doc = NewDocument(kind, base_name, release);
  doc->Parse(text);
  std::vector<DocumentValue> values;
  const xercesc::DOMDocument* parsed = doc->Parser().GetDocument();
  if (parsed != nullptr && parsed->getDocumentElement() != nullptr)
    ReadElements(*parsed->getDocumentElement(), *doc, values);
  return values;
}

}  // namespace ovrabjt::cli

#include "support/dom_oracle.h"

#include <map>
#include <memory>
#include <string>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMText.hpp>

#include "attr/attr_value.h"
#include "platform/code_page.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt::testing {
namespace {

using xercesc::DOMDocument;
using xercesc::DOMElement;

// A list value's members become child elements, in order; any other value
// becomes the element's text (possibly empty). A node without a value is
// written as a null value.
void AppendAttributeElement(DOMDocument& document, DOMElement& parent, const AttrNode& attribute) {
  static const IppNull kNoValue;
  const AttrValue& value = attribute.GetValue() != nullptr ? *attribute.GetValue() : kNoValue;
  const auto* list_value =
      value.GetSyntaxCode() == kSyntaxList ? static_cast<const IppList*>(&value) : nullptr;
  DOMElement* element = nullptr;
  try {
    element = document.createElement(Cp1252ToUtf16(attribute.GetName()).c_str());
    element->setAttribute(kSyntaxAttribute, Cp1252ToUtf16(value.GetSyntaxName()).c_str());
    if (value.PreservesSpace()) element->setAttribute(kSpaceAttribute, kPreserve);
    parent.appendChild(element);
    if (list_value == nullptr) {
      element->appendChild(document.createTextNode(Cp1252ToUtf16(value.GetText()).c_str()));
    }
  } catch (const xercesc::DOMException&) {
    throw OvraParseException(OvraErrorCode::kAttributeBuildFailed, attribute.GetName());
  }
  if (list_value == nullptr || list_value->GetMembers() == nullptr) return;
  for (const std::unique_ptr<AttrNode>& member : list_value->GetMembers()->nodes()) {
    AppendAttributeElement(document, *element, *member);
  }
}

}  // namespace

void BuildFrom(VelmorDomDoc& document, const AttrNodeList& list) {
  document.Parse(document.GetTemplate());
  DOMDocument& tree = *document.Parser().GetDocument();
  DOMElement& root = *tree.getDocumentElement();
  std::map<std::string, DOMElement*, std::less<>> groups;
  for (const std::unique_ptr<AttrNode>& attribute : list.nodes()) {
    DOMElement* parent = &root;
    try {
      const std::string_view name = document.GroupNameFor(*attribute);
      if (!name.empty()) {
        auto group = groups.find(name);
        if (group == groups.end()) {
          DOMElement* element = tree.createElement(Cp1252ToUtf16(name).c_str());
          root.appendChild(element);
          group = groups.emplace(std::string(name), element).first;
        }
        parent = group->second;
      }
    } catch (const xercesc::DOMException&) {
      throw OvraParseException(OvraErrorCode::kAttributeBuildFailed, attribute->GetName());
    }
    AppendAttributeElement(tree, *parent, *attribute);
  }
}

void WriteTo(VelmorDomDoc& document, XmlOutputCallback& output) {
  document.Parser().WriteDocument(output);
}

}  // namespace ovrabjt::testing

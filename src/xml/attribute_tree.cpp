// The mapping between a document's elements and an attribute list: reading
// the elements into attributes, and writing attributes as elements' text.
#include <algorithm>
#include <string>
#include <vector>
#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMCharacterData.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/dom/DOMText.hpp>
#include <xercesc/util/XMLChar.hpp>

#include "attr/attr_value.h"
#include "attr/attr_value_factory.h"
#include "platform/code_page.h"
#include "xml/element_text.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt {
namespace {

using xercesc::DOMElement;
using xercesc::DOMNode;

void TrimmedNarrow(const XMLCh* text, std::string& out) {
  ovrabjt::TrimmedNarrow(text != nullptr ? std::u16string_view(text) : std::u16string_view(), out);
}

// The text of a node: character data knows its length, which saves a pass
// over the text to find its end.
std::u16string_view NodeText(const DOMNode& node) {
  switch (node.getNodeType()) {
    case DOMNode::TEXT_NODE:
    case DOMNode::CDATA_SECTION_NODE:
    case DOMNode::COMMENT_NODE: {
      const auto& data = static_cast<const xercesc::DOMCharacterData&>(node);
      return {data.getData(), data.getLength()};
    }
    default: {
      const XMLCh* value = node.getNodeValue();
      return value != nullptr ? std::u16string_view(value) : std::u16string_view();
    }
  }
}

// The value of an XML attribute. A parsed attribute's value is its one text
// child; asked through the attribute, the library casts its way to that
// child on every call.
std::u16string_view AttributeValue(const xercesc::DOMAttr& attribute) {
  const DOMNode* text = attribute.getFirstChild();
  if (text != nullptr && text->getNextSibling() == nullptr &&
      text->getNodeType() == DOMNode::TEXT_NODE)
    return NodeText(*text);
  const XMLCh* value = attribute.getValue();
  return value != nullptr ? std::u16string_view(value) : std::u16string_view();
}

}  // namespace

void VelmorDomDoc::ReadInto(AttrNodeList& list) const {
  const xercesc::DOMDocument* document = parser_->GetDocument();
  if (document == nullptr || document->getDocumentElement() == nullptr) return;
  tag_names_.clear();
  ReadChildren(*document->getDocumentElement(), 1, list);
}

// Elements with "syntax" become attributes; group elements are looked into,
// their attributes joining the list at their place; other elements are
// skipped with everything inside them. Other nodes are not attributes.
void VelmorDomDoc::ReadChildren(const DOMElement& parent, std::size_t parent_level,
                                AttrNodeList& list) const {
  const std::size_t level = parent_level + 1;
  for (const DOMNode* child = parent.getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    if (child->getNodeType() != DOMNode::ELEMENT_NODE) continue;
    if (level > kMaxElementDepth) throw OvraParseException(OvraErrorCode::kParseError);
    const auto& element = static_cast<const DOMElement&>(*child);
    if (const xercesc::DOMAttr* syntax = element.getAttributeNode(kSyntaxAttribute)) {
      if (std::unique_ptr<AttrNode> attribute = MakeAttribute(element, *syntax, level)) {
        list.Append(std::move(attribute));
      }
    } else if (IsGroupElement(element)) {
      ReadChildren(element, level, list);
    }
  }
}

// A text makes a scalar value of the element's syntax; an element without
// text (only blanks, or elements first) makes a list value of its child
// elements. An element with no content at all makes nothing. The texts are
// converted into buffers kept from element to element; only the value and
// the identifier keep copies.
std::unique_ptr<AttrNode> VelmorDomDoc::MakeAttribute(const DOMElement& element,
                                                      const xercesc::DOMAttr& syntax,
                                                      std::size_t level) const {
  const DOMNode* first = element.getFirstChild();
  if (first == nullptr) return nullptr;
  try {
    TrimmedNarrow(AttributeValue(syntax), syntax_buffer_);
    if (first->getNodeType() == DOMNode::ELEMENT_NODE)
      text_buffer_.clear();
    else
      TrimmedNarrow(NodeText(*first), text_buffer_);
  } catch (const xercesc::DOMException&) {
    throw OvraParseException(OvraErrorCode::kAttributeReadFailed);
  }
  auto id = std::make_unique<AttrID>(TagName(element));
  std::unique_ptr<AttrValue> value;
  if (!text_buffer_.empty()) {
    value = AttrValueFactory::CreateValue(syntax_buffer_, text_buffer_);
  } else {
    auto list_value = std::make_unique<IppList>();
    list_value->SetSyntaxName(syntax_buffer_);
    auto members = std::make_unique<AttrNodeList>();
    ReadChildren(element, level, *members);
    list_value->SetMembers(std::move(members));
    value = std::move(list_value);
  }
  return std::make_unique<AttrNode>(std::move(id), std::move(value));
}

// The library keeps one copy of each tag name, so its address identifies it
// and each is converted once per document.
std::string_view VelmorDomDoc::TagName(const DOMElement& element) const {
  try {
    const XMLCh* tag = element.getTagName();
    auto [name, added] = tag_names_.try_emplace(tag);
    if (added) TrimmedNarrow(tag, name->second);
    return name->second;
  } catch (const xercesc::DOMException&) {
    throw OvraParseException(OvraErrorCode::kAttributeReadFailed);
  }
}

namespace {

// The element names of an attribute and its members must be XML names, as
// the library requires of every element it creates; the first that is not
// raises code 6 with its name, as building would.
// A name of ASCII letters, digits, '.', '-' and '_', a letter or '_' first,
// is an XML name; every other name is asked of the library.
bool IsPlainAsciiName(std::string_view name) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (name.empty() || !letter(name.front())) return false;
  return std::all_of(name.begin() + 1, name.end(), [&](char c) {
    return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '-';
  });
}

bool IsElementName(std::string_view narrow) {
  if (IsPlainAsciiName(narrow)) return true;
  const std::u16string name = Cp1252ToUtf16(narrow);
  const std::size_t length = name.find(u'\0');
  return xercesc::XMLChar1_0::isValidName(name.c_str(),
                                          length == std::u16string::npos ? name.size() : length);
}

void CheckElementNames(const AttrNode& attribute) {
  if (!IsElementName(attribute.GetName()))
    throw OvraParseException(OvraErrorCode::kAttributeBuildFailed, attribute.GetName());
  const AttrValue* value = attribute.GetValue();
  if (value == nullptr || value->GetSyntaxCode() != kSyntaxList) return;
  if (const AttrNodeList* members = static_cast<const IppList*>(value)->GetMembers())
    for (const std::unique_ptr<AttrNode>& member : members->nodes()) CheckElementNames(*member);
}

}  // namespace

// The attributes in their group elements, the groups in order of first use,
// checked as building would check them, before anything is written.
void VelmorDomDoc::WriteListTo(const AttrNodeList& list, XmlOutputCallback& output) {
  parser_->ParseTemplate(GetTemplate());
  std::vector<VelmorXmlParser::BodyGroup> body;
  for (const std::unique_ptr<AttrNode>& attribute : list.nodes()) {
    const std::string_view group = GroupNameFor(*attribute);
    CheckElementNames(*attribute);
    auto it = std::find_if(body.begin(), body.end(),
                           [&](const VelmorXmlParser::BodyGroup& g) { return g.name == group; });
    if (it == body.end()) it = body.insert(body.end(), {group, {}});
    it->attributes.push_back(attribute.get());
  }
  parser_->WriteDocument(output, body);
}

}  // namespace ovrabjt

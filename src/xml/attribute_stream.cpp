#include "xml/attribute_stream.h"

#include <utility>
#include <xercesc/framework/XMLAttr.hpp>
#include <xercesc/framework/XMLElementDecl.hpp>

#include "attr/attr_value_factory.h"
#include "xml/element_text.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt {
namespace {

// The value of the element's "syntax", specified or defaulted; null when it
// has none.
const xercesc::XMLAttr* SyntaxOf(const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                                 XMLSize_t count) {
  for (XMLSize_t i = 0; i < count; ++i) {
    const xercesc::XMLAttr* attribute = attributes.elementAt(i);
    if (std::u16string_view(attribute->getQName()) == kSyntaxAttribute) return attribute;
  }
  return nullptr;
}

}  // namespace

AttributeStream::AttributeStream(GroupTest is_group)
    : is_group_(is_group), attributes_(std::make_unique<AttrNodeList>()) {}

std::unique_ptr<AttrNodeList> AttributeStream::TakeAttributes() {
  frames_.clear();
  names_.clear();
  return std::exchange(attributes_, std::make_unique<AttrNodeList>());
}

// The library keeps one declaration per element name, so its address
// identifies the name, converted once per document.
std::string_view AttributeStream::NameOf(const xercesc::XMLElementDecl& element) {
  auto [name, added] = names_.try_emplace(&element);
  if (added) TrimmedNarrow(element.getFullName(), name->second);
  return name->second;
}

void AttributeStream::StartElement(const xercesc::XMLElementDecl& element,
                                   const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                                   XMLSize_t attribute_count) {
  if (frames_.empty()) {  // the root
    frames_.emplace_back(Reading::kChildren, attributes_.get());
    return;
  }
  Frame& top = frames_.back();
  switch (top.reading) {
    case Reading::kFirstText:
      DecideValue(first_text_);
      break;
    case Reading::kFirstChild:
      DecideValue({});
      break;
    default:
      break;
  }
  switch (frames_.back().reading) {
    case Reading::kChildren:
    case Reading::kMembers:
      ChildElement(element, attributes, attribute_count, *frames_.back().list);
      return;
    default:
      frames_.emplace_back(Reading::kIgnored);
  }
}

// A child element where attributes are read: an attribute, a group looked
// into, or something ignored.
void AttributeStream::ChildElement(const xercesc::XMLElementDecl& element,
                                   const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                                   XMLSize_t attribute_count, AttrNodeList& list) {
  if (const xercesc::XMLAttr* syntax = SyntaxOf(attributes, attribute_count)) {
    Frame frame(Reading::kFirstChild, nullptr, &list, NameOf(element));
    TrimmedNarrow(syntax->getValue(), frame.syntax);
    frames_.push_back(std::move(frame));
  } else if (is_group_(element.getFullName())) {
    frames_.emplace_back(Reading::kChildren, &list);
  } else {
    frames_.emplace_back(Reading::kIgnored);
  }
}

// A text that is not blank is the value; anything else makes a list whose
// members are read from the child elements.
void AttributeStream::DecideValue(std::u16string_view first_text) {
  Frame& top = frames_.back();
  TrimmedNarrow(first_text, text_);
  if (!text_.empty()) {
    top.value = AttrValueFactory::CreateValue(top.syntax, text_);
    top.reading = Reading::kScalarValue;
    return;
  }
  auto list = std::make_unique<IppList>();
  list->SetSyntaxName(top.syntax);
  list->SetMembers(std::make_unique<AttrNodeList>());
  top.list = list->GetMembers();
  top.value = std::move(list);
  top.reading = Reading::kMembers;
}

void AttributeStream::EndElement() {
  if (frames_.empty()) return;
  if (frames_.back().reading == Reading::kFirstText) DecideValue(first_text_);
  Frame& top = frames_.back();
  if (top.value) {
    top.parent->Append(
        std::make_unique<AttrNode>(std::make_unique<AttrID>(top.name), std::move(top.value)));
  }
  frames_.pop_back();
}

void AttributeStream::Text(std::u16string_view text) {
  if (frames_.empty()) return;
  Frame& top = frames_.back();
  if (top.reading == Reading::kFirstChild) {
    first_text_.assign(text);
    top.reading = Reading::kFirstText;
  } else if (top.reading == Reading::kFirstText) {
    first_text_.append(text);
  }
}

// Another node ends a text; first, it gives the value its own text.
void AttributeStream::OtherNode(std::u16string_view text) {
  if (frames_.empty()) return;
  if (frames_.back().reading == Reading::kFirstChild)
    DecideValue(text);
  else if (frames_.back().reading == Reading::kFirstText)
    DecideValue(first_text_);
}

}  // namespace ovrabjt

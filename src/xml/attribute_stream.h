// Reading a document's attributes while its text is scanned, without the
// library's tree: the list is exactly the one ReadInto makes of the tree.
//
// An element with "syntax" is an attribute; its first child node decides
// its value: a text (all the character data up to the next other node) that
// is not blank makes a scalar, and the rest of the element is ignored;
// anything else (blanks, another node first, an element) makes a list of
// the child elements that are attributes. An element without children
// makes nothing. Group elements dissolve into their attributes; every other
// element is ignored with everything inside it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "attr/attr_node_list.h"
#include "attr/attr_value.h"
#include "xml/bounded_dom_parser.h"

namespace ovrabjt {

class AttributeStream final : public ElementContentSink {
 public:
  // Whether an element of this name is a group element of the document.
  using GroupTest = bool (*)(std::u16string_view tag);

  explicit AttributeStream(GroupTest is_group);

  // TakeAttributes - the attributes of the scanned document, in document
  // order; the stream is empty afterwards.
  std::unique_ptr<AttrNodeList> TakeAttributes();

  void StartElement(const xercesc::XMLElementDecl& element,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                    XMLSize_t attribute_count) override;
  void EndElement() override;
  void Text(std::u16string_view text) override;
  void OtherNode(std::u16string_view text) override;

 private:
  enum class Reading {
    kChildren,     // child elements that are attributes join `list`
    kIgnored,      // nothing inside counts
    kFirstChild,   // an attribute element before its first child
    kFirstText,    // an attribute element in its first child's text
    kMembers,      // a list value's child elements join its members
    kScalarValue,  // an attribute with its value; the rest is ignored
  };
  struct Frame {
    explicit Frame(Reading how, AttrNodeList* inside = nullptr, AttrNodeList* into = nullptr,
                   std::string_view tag = {})
        : reading(how), list(inside), parent(into), name(tag) {}
    Reading reading;
    AttrNodeList* list;    // where the attributes inside go
    AttrNodeList* parent;  // where this attribute goes
    // The attribute element's name and syntax, and its value once decided.
    std::string_view name;
    std::string syntax;
    std::unique_ptr<AttrValue> value;
  };

  void ChildElement(const xercesc::XMLElementDecl& element,
                    const xercesc::RefVectorOf<xercesc::XMLAttr>& attributes,
                    XMLSize_t attribute_count, AttrNodeList& list);
  // Gives the attribute of the top frame its value made of `first_text`.
  void DecideValue(std::u16string_view first_text);
  std::string_view NameOf(const xercesc::XMLElementDecl& element);

  GroupTest is_group_;
  std::unique_ptr<AttrNodeList> attributes_;
  std::vector<Frame> frames_;
  std::u16string first_text_;
  std::string text_;
  // The narrow names of the elements met, by the library's declaration.
  std::unordered_map<const xercesc::XMLElementDecl*, std::string> names_;
};

}  // namespace ovrabjt

// The XML text writer: walks the parser's DOM document and hands the text to
// the output through the library's formatter, which does the encoding and the
// escaping. The layout (line breaks, tabs, short empty elements) is decided
// here.
#include <algorithm>
#include <cstdint>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMDocumentType.hpp>
#include <xercesc/dom/DOMElement.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMProcessingInstruction.hpp>

#include "xml/library_exceptions.h"
#include "xml/ovra_parse_exception.h"
#include "xml/utf8_escapes.h"
#include "xml/velmor_xml_parser.h"
#include "xml/xml_chars.h"

#include "attr/attr_node_list.h"
#include "attr/attr_value.h"
#include "platform/code_page.h"

namespace ovrabjt {
namespace {

using xercesc::DOMNode;
using xercesc::XMLFormatter;

constexpr std::u16string_view kLineBreak = u"\r\n";
// The size of a stretch handed to the output at once, that of the
// formatter's own buffer.
constexpr std::size_t kStretch = 16 * 1024;

bool Present(const XMLCh* text) { return text != nullptr && *text != 0; }

// A narrow text as the DOM would hold it: in UTF-16, ending at its first
// NUL.
void DomString(std::string_view text, std::u16string& out) {
  Cp1252ToUtf16(text.substr(0, text.find('\0')), out);
}

// The text of a value: the stored text itself for string values.
void ValueText(const AttrValue& value, std::string& scratch, std::string_view& text) {
  const SyntaxCode code = value.GetSyntaxCode();
  if (code >= kSyntaxName && code <= kSyntaxUri && code != kSyntaxBoolean) {
    text = static_cast<const PrimitiveString&>(value).GetString();
    return;
  }
  scratch = value.GetText();
  text = scratch;
}

// The encoding the text is written in: the one the document declares, else
// UTF-8.
std::u16string EncodingNameOf(const xercesc::DOMDocument& document) {
  const XMLCh* declared = document.getXmlEncoding();
  return Present(declared) ? std::u16string(declared) : std::u16string(u"UTF-8");
}

bool IsUtf8(std::u16string_view encoding) {
  constexpr std::u16string_view kUtf8 = u"UTF-8";
  return std::equal(
      encoding.begin(), encoding.end(), kUtf8.begin(), kUtf8.end(),
      [](char16_t a, char16_t b) { return (a >= u'a' && a <= u'z' ? a - 32 : a) == b; });
}

}  // namespace

// Sets up the writer state for one write and tears it down however the write
// ends.
class VelmorXmlParser::WriteSession {
 public:
  WriteSession(VelmorXmlParser& parser, XmlOutputCallback& output) : parser_(parser) {
    parser_.output_ = &output;
    parser_.indent_.clear();
  }
  WriteSession(const WriteSession&) = delete;
  WriteSession& operator=(const WriteSession&) = delete;
  ~WriteSession() {
    parser_.formatter_.reset();
    parser_.escapes_ = nullptr;
    parser_.stretch_.clear();
    parser_.encoding_name_.clear();
    parser_.indent_.clear();
    parser_.output_ = nullptr;
    parser_.body_ = nullptr;
    parser_.wide_names_.clear();
  }

 private:
  VelmorXmlParser& parser_;
};

void VelmorXmlParser::WriteDocument(XmlOutputCallback& output, const std::vector<BodyGroup>& body) {
  body_ = &body;
  WriteDocument(output);
}

void VelmorXmlParser::WriteDocument(XmlOutputCallback& output) {
  const xercesc::DOMDocument* document = GetDocument();
  if (document == nullptr) throw OvraParseException(OvraErrorCode::kWriteException);
  WriteSession session(*this, output);
  CallLibrary(reporter_, OvraErrorCode::kWriteException, [&] {
    encoding_name_ = EncodingNameOf(*document);
    formatter_ = std::make_unique<XMLFormatter>(
        encoding_name_.c_str(), this, XMLFormatter::NoEscapes, XMLFormatter::UnRep_CharRef);
    if (body_ != nullptr && IsUtf8(encoding_name_)) escapes_ = &Utf8Escapes::Get();
    WriteNode(*document);
  });
}

// The formatter's buffer is a few kilobytes, so a stretch always fits the
// output's 32-bit count.
void VelmorXmlParser::writeChars(const XMLByte* bytes, XMLSize_t count, XMLFormatter*) {
  if (!output_->Write(reinterpret_cast<const char*>(bytes), static_cast<std::uint32_t>(count))) {
    throw OvraParseException(OvraErrorCode::kOutputRefused);
  }
}

// Entity nodes are not handled: the library keeps them in the document type's
// entity map, never among the children, so no walk reaches them; the internal
// subset, written whole, carries their declarations.
void VelmorXmlParser::WriteNode(const DOMNode& node) {
  switch (node.getNodeType()) {
    case DOMNode::DOCUMENT_NODE:
      WriteDeclaration(static_cast<const xercesc::DOMDocument&>(node));
      WriteChildren(node);
      break;
    case DOMNode::DOCUMENT_TYPE_NODE:
      WriteDocumentType(static_cast<const xercesc::DOMDocumentType&>(node));
      break;
    case DOMNode::ELEMENT_NODE:
      if (body_ != nullptr && node.getParentNode() == node.getOwnerDocument())
        WriteRoot(static_cast<const xercesc::DOMElement&>(node));
      else
        WriteElement(static_cast<const xercesc::DOMElement&>(node));
      break;
    case DOMNode::TEXT_NODE:
      Put(node.getNodeValue(), XMLFormatter::CharEscapes);
      break;
    case DOMNode::CDATA_SECTION_NODE:
      Put(u"<![CDATA[");
      Put(node.getNodeValue());
      Put(u"]]>");
      break;
    case DOMNode::COMMENT_NODE:
      Put(u"<!--");
      Put(node.getNodeValue());
      Put(u"-->");
      break;
    case DOMNode::PROCESSING_INSTRUCTION_NODE:
      WriteProcessingInstruction(static_cast<const xercesc::DOMProcessingInstruction&>(node));
      break;
    case DOMNode::ENTITY_REFERENCE_NODE:
      WriteChildren(node);
      break;
    default:  // attributes, fragments, notations: nothing
      break;
  }
}

void VelmorXmlParser::WriteChildren(const DOMNode& node) {
  for (const DOMNode* child = node.getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    WriteNode(*child);
  }
}

// The library keeps the declaration as properties of the document, not as a
// node; a text without a declaration has no version.
void VelmorXmlParser::WriteDeclaration(const xercesc::DOMDocument& document) {
  if (!Present(document.getXmlVersion())) return;
  Put(u"<?xml version=\"");
  Put(document.getXmlVersion());
  Put(u"\" encoding=\"");
  Put(encoding_name_);
  // Only a "yes" is kept by the library; "no" reads the same as absent.
  if (document.getXmlStandalone()) Put(u"\" standalone=\"yes");
  Put(u"\"?>");
  Put(kLineBreak);
}

// A public identifier is followed directly by the system identifier, the only
// form XML accepts for both.
void VelmorXmlParser::WriteDocumentType(const xercesc::DOMDocumentType& type) {
  Put(u"<!DOCTYPE ");
  Put(type.getName());
  const bool has_public = Present(type.getPublicId());
  if (has_public) {
    Put(u" PUBLIC ");
    WriteQuoted(type.getPublicId());
  }
  if (Present(type.getSystemId())) {
    Put(has_public ? u" " : u" SYSTEM ");
    WriteQuoted(type.getSystemId());
  }
  if (Present(type.getInternalSubset())) {
    Put(u"[");
    Put(type.getInternalSubset());
    Put(u"]");
  }
  Put(u">");
}

// An identifier holding a quotation mark is written between apostrophes.
void VelmorXmlParser::WriteQuoted(const XMLCh* value) {
  const std::u16string_view quote =
      std::u16string_view(value).find(u'"') == std::u16string_view::npos ? u"\"" : u"'";
  Put(quote);
  Put(value);
  Put(quote);
}

void VelmorXmlParser::WriteProcessingInstruction(
    const xercesc::DOMProcessingInstruction& instruction) {
  Put(u"<?");
  Put(instruction.getTarget());
  if (Present(instruction.getData())) {
    Put(u" ");
    Put(instruction.getData());
  }
  Put(u"?>");
}

void VelmorXmlParser::WriteElement(const xercesc::DOMElement& element) {
  WriteLineBreak();
  Put(u"<");
  Put(element.getTagName());
  WriteAttributes(element);
  if (!element.hasChildNodes()) {
    Put(u"/>");
    return;
  }
  Put(u">");
  const bool text_seen = WriteElementChildren(element);
  if (!text_seen) WriteLineBreak();
  Put(u"</");
  Put(element.getTagName());
  Put(u">");
}

// The attribute map lists attributes in ascending order of name.
void VelmorXmlParser::WriteAttributes(const xercesc::DOMElement& element) {
  const xercesc::DOMNamedNodeMap* attributes = element.getAttributes();
  for (XMLSize_t i = 0; i < attributes->getLength(); ++i) {
    const DOMNode* attribute = attributes->item(i);
    Put(u" ");
    Put(attribute->getNodeName());
    Put(u"=\"");
    Put(attribute->getNodeValue(), XMLFormatter::AttrEscapes);
    Put(u"\"");
  }
}

// Element children that come first go one tab deeper; anything else is
// written one tab deeper while it lasts, so element children that follow a
// text stay at the element's own level. True when a child was text, which
// keeps the closing tag on the same line.
bool VelmorXmlParser::WriteElementChildren(const xercesc::DOMElement& element) {
  const bool deeper = element.getFirstChild()->getNodeType() == DOMNode::ELEMENT_NODE;
  if (deeper) indent_.push_back(u'\t');
  const bool text_seen = WriteTemplateChildren(*element.getFirstChild());
  if (deeper) indent_.pop_back();
  return text_seen;
}

// Writes `first` and its following siblings; true when one was text.
bool VelmorXmlParser::WriteTemplateChildren(const DOMNode& first) {
  bool text_seen = false;
  for (const DOMNode* child = &first; child != nullptr; child = child->getNextSibling()) {
    const bool is_element = child->getNodeType() == DOMNode::ELEMENT_NODE;
    text_seen = text_seen || child->getNodeType() == DOMNode::TEXT_NODE;
    if (!is_element) indent_.push_back(u'\t');
    WriteNode(*child);
    if (!is_element) indent_.pop_back();
  }
  return text_seen;
}

// The root element as WriteElement would write it with the body's elements
// appended to its children.
void VelmorXmlParser::WriteRoot(const xercesc::DOMElement& root) {
  WriteLineBreak();
  Put(u"<");
  Put(root.getTagName());
  WriteAttributes(root);
  const DOMNode* first = root.getFirstChild();
  bool body_empty = true;
  for (const BodyGroup& group : *body_) body_empty = body_empty && group.attributes.empty();
  if (first == nullptr && body_empty) {
    Put(u"/>");
    return;
  }
  Put(u">");
  const bool deeper = first == nullptr || first->getNodeType() == DOMNode::ELEMENT_NODE;
  if (deeper) indent_.push_back(u'\t');
  const bool text_seen = first != nullptr && WriteTemplateChildren(*first);
  if (escapes_ != nullptr) {
    for (const BodyGroup& group : *body_) AppendBodyGroup(group);
    HandOverStretch(1);
  } else {
    for (const BodyGroup& group : *body_) WriteBodyGroup(group);
  }
  if (deeper) indent_.pop_back();
  if (!text_seen) WriteLineBreak();
  Put(u"</");
  Put(root.getTagName());
  Put(u">");
}

// A group element holds at least one attribute element, so its closing tag
// stands on a line of its own.
void VelmorXmlParser::WriteBodyGroup(const BodyGroup& group) {
  if (group.name.empty()) {
    for (const AttrNode* attribute : group.attributes) WriteAttributeElement(*attribute);
    return;
  }
  if (group.attributes.empty()) return;
  const std::u16string& name = WideName(group.name);
  WriteLineBreak();
  Put(u"<");
  Put(name);
  Put(u">");
  indent_.push_back(u'\t');
  for (const AttrNode* attribute : group.attributes) WriteAttributeElement(*attribute);
  indent_.pop_back();
  WriteLineBreak();
  Put(u"</");
  Put(name);
  Put(u">");
}

void VelmorXmlParser::AppendBodyGroup(const BodyGroup& group) {
  if (group.name.empty()) {
    for (const AttrNode* attribute : group.attributes) AppendAttributeElement(*attribute);
    return;
  }
  if (group.attributes.empty()) return;
  AppendLineBreak();
  stretch_ += '<';
  escapes_->Append(group.name, XMLFormatter::NoEscapes, stretch_);
  stretch_ += '>';
  indent_.push_back(u'\t');
  for (const AttrNode* attribute : group.attributes) AppendAttributeElement(*attribute);
  indent_.pop_back();
  AppendLineBreak();
  stretch_ += "</";
  escapes_->Append(group.name, XMLFormatter::NoEscapes, stretch_);
  stretch_ += '>';
}

// WriteAttributeElement's bytes, appended to the stretch.
void VelmorXmlParser::AppendAttributeElement(const AttrNode& attribute) {
  static const IppNull kNoValue;
  const AttrValue& value = attribute.GetValue() != nullptr ? *attribute.GetValue() : kNoValue;
  AppendLineBreak();
  stretch_ += '<';
  escapes_->Append(attribute.GetName(), XMLFormatter::NoEscapes, stretch_);
  stretch_ += " syntax=\"";
  escapes_->Append(value.GetSyntaxName(), XMLFormatter::AttrEscapes, stretch_);
  stretch_ += value.PreservesSpace() ? "\" xml:space=\"preserve\"" : "\"";
  if (value.GetSyntaxCode() != kSyntaxList) {
    stretch_ += '>';
    std::string_view text;
    ValueText(value, narrow_value_, text);
    escapes_->Append(text, XMLFormatter::CharEscapes, stretch_);
  } else {
    const AttrNodeList* members = static_cast<const IppList&>(value).GetMembers();
    if (members == nullptr || members->empty()) {
      stretch_ += "/>";
      HandOverStretch(kStretch);
      return;
    }
    stretch_ += '>';
    indent_.push_back(u'\t');
    for (const auto& member : members->nodes()) AppendAttributeElement(*member);
    indent_.pop_back();
    AppendLineBreak();
  }
  stretch_ += "</";
  escapes_->Append(attribute.GetName(), XMLFormatter::NoEscapes, stretch_);
  stretch_ += '>';
  HandOverStretch(kStretch);
}

void VelmorXmlParser::AppendLineBreak() {
  if (!output_->Indent()) return;
  stretch_ += "\r\n";
  stretch_.append(indent_.size(), '\t');
}

// Hands the stretch over once it holds `at_least` bytes, in pieces the
// output's 32-bit count can carry.
void VelmorXmlParser::HandOverStretch(std::size_t at_least) {
  if (stretch_.size() < at_least) return;
  constexpr std::size_t kLargestPiece = std::size_t{1} << 30;
  for (std::size_t at = 0; at < stretch_.size(); at += kLargestPiece) {
    const std::size_t piece = std::min(stretch_.size() - at, kLargestPiece);
    if (!output_->Write(stretch_.data() + at, static_cast<std::uint32_t>(piece))) {
      stretch_.clear();
      throw OvraParseException(OvraErrorCode::kOutputRefused);
    }
  }
  stretch_.clear();
}

// An attribute element: a scalar value's text (even an empty one) keeps the
// closing tag on its line; a list without members is an empty element. The
// markup around the name and the value goes to the formatter in as few
// pieces as the escaping allows.
void VelmorXmlParser::WriteAttributeElement(const AttrNode& attribute) {
  static const IppNull kNoValue;
  const AttrValue& value = attribute.GetValue() != nullptr ? *attribute.GetValue() : kNoValue;
  const std::u16string& name = WideName(attribute.GetName());
  markup_.clear();
  AppendLineBreak(markup_);
  markup_.append(u"<").append(name).append(u" syntax=\"");
  Put(markup_);
  Put(WideName(value.GetSyntaxName()), XMLFormatter::AttrEscapes);
  markup_.assign(value.PreservesSpace() ? u"\" xml:space=\"preserve\"" : u"\"");
  if (value.GetSyntaxCode() != kSyntaxList) {
    Put(markup_.append(u">"));
    std::string_view text;
    ValueText(value, narrow_value_, text);
    DomString(text, wide_value_);
    Put(wide_value_, XMLFormatter::CharEscapes);
    markup_.clear();
  } else {
    const AttrNodeList* members = static_cast<const IppList&>(value).GetMembers();
    if (members == nullptr || members->empty()) {
      Put(markup_.append(u"/>"));
      return;
    }
    Put(markup_.append(u">"));
    indent_.push_back(u'\t');
    // The members reuse the markup buffer; it is filled afresh below.
    for (const auto& member : members->nodes()) WriteAttributeElement(*member);
    indent_.pop_back();
    markup_.clear();
    AppendLineBreak(markup_);
  }
  Put(markup_.append(u"</").append(name).append(u">"));
}

void VelmorXmlParser::WriteLineBreak() {
  markup_.clear();
  AppendLineBreak(markup_);
  Put(markup_);
}

// A name converted for the formatter, once per write; `narrow` lives in the
// list being written (or is a syntax name of a value class) for the whole
// write.
const std::u16string& VelmorXmlParser::WideName(std::string_view narrow) {
  auto [it, added] = wide_names_.try_emplace(narrow);
  if (added) DomString(narrow, it->second);
  return it->second;
}

// Appends a line break and the indent when the output wants them, else
// nothing.
void VelmorXmlParser::AppendLineBreak(std::u16string& text) {
  if (output_->Indent()) text.append(kLineBreak).append(indent_);
}

void VelmorXmlParser::Put(std::u16string_view text, XMLFormatter::EscapeFlags escapes) {
  std::u16string scratch;
  const std::u16string_view safe = XmlSafe(text, scratch);
  if (safe.empty()) return;
  formatter_->formatBuf(safe.data(), safe.size(), escapes, XMLFormatter::UnRep_CharRef);
}

void VelmorXmlParser::Put(const XMLCh* text, XMLFormatter::EscapeFlags escapes) {
  if (text != nullptr) Put(std::u16string_view(text), escapes);
}

}  // namespace ovrabjt

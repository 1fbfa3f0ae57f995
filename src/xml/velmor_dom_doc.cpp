#include "xml/velmor_dom_doc.h"

#include <string>
#include <utility>

#include "platform/code_page.h"
#include "xml/ovra_attribute_groups.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {
namespace {

bool HasTagName(const xercesc::DOMElement& element, std::string_view name) {
  return std::u16string_view(element.getTagName()) == Cp1252ToUtf16(name);
}

// Creates a group element at the end of the root.
xercesc::DOMElement* AppendGroupElement(xercesc::DOMDocument& document, xercesc::DOMElement& root,
                                        std::string_view name) {
  xercesc::DOMElement* group = document.createElement(Cp1252ToUtf16(name).c_str());
  root.appendChild(group);
  return group;
}

}  // namespace

// The parser's creation starts the XML library first.
VelmorDomDoc::VelmorDomDoc(DocumentReach reach, bool validate, const ReleaseProfile& release)
    : parser_(std::make_unique<VelmorXmlParser>(std::move(reach), validate)), release_(release) {}

VelmorDomDoc::~VelmorDomDoc() = default;

xercesc::DOMElement& VelmorDomDoc::GroupElementFor(xercesc::DOMDocument&, xercesc::DOMElement& root,
                                                   const AttrNode&) {
  return root;
}

bool VelmorDomDoc::IsGroupElement(const xercesc::DOMElement&) const { return false; }

void VelmorDomDoc::Parse(std::string_view text) { parser_->Parse(text); }

void VelmorDomDoc::WriteTo(XmlOutputCallback& output) { parser_->WriteDocument(output); }

OvraDomDoc::OvraDomDoc(std::string_view name, bool validate, const ReleaseProfile& release)
    : VelmorDomDoc(DocumentReach::Beside(name).OnlyNamedType(), validate, release) {}

// The group elements belong to the parser's document and go with it.
OvraDomDoc::~OvraDomDoc() = default;

std::string_view OvraDomDoc::GetTemplate() const { return Release().templates.ovra; }

std::string_view VelmorDomDoc::GroupNameFor(const AttrNode&) const { return {}; }

std::string_view OvraDomDoc::GroupNameFor(const AttrNode& attribute) const {
  switch (ClassifyOvraAttribute(attribute.GetName(), Release())) {
    case OvraAttributeGroup::kOperation:
      return kOperationGroupElement;
    case OvraAttributeGroup::kJobTemplate:
      return kJobTemplateGroupElement;
    case OvraAttributeGroup::kNone:
      break;
  }
  throw OvraParseException(OvraErrorCode::kAttributeOutsideGroups, attribute.GetName());
}

xercesc::DOMElement& OvraDomDoc::GroupElementFor(xercesc::DOMDocument& document,
                                                 xercesc::DOMElement& root,
                                                 const AttrNode& attribute) {
  if (GroupNameFor(attribute) == kOperationGroupElement) {
    if (!operation_group_exists_) {
      operation_group_ = AppendGroupElement(document, root, kOperationGroupElement);
      operation_group_exists_ = true;
    }
    return *operation_group_;
  }
  if (!job_template_group_exists_) {
    job_template_group_ = AppendGroupElement(document, root, kJobTemplateGroupElement);
    job_template_group_exists_ = true;
  }
  return *job_template_group_;
}

bool OvraDomDoc::IsGroupElement(const xercesc::DOMElement& element) const {
  return HasTagName(element, kOperationGroupElement) ||
         HasTagName(element, kJobTemplateGroupElement);
}

void OvraDomDoc::ForgetGroupElements() {
  operation_group_ = nullptr;
  operation_group_exists_ = false;
  job_template_group_ = nullptr;
  job_template_group_exists_ = false;
}

KespDomDoc::KespDomDoc(std::string_view name, bool validate, const ReleaseProfile& release)
    : KespDomDoc(DocumentReach::Beside(name), validate, release) {}

KespDomDoc::KespDomDoc(DocumentReach reach, bool validate, const ReleaseProfile& release)
    : VelmorDomDoc(std::move(reach), validate, release) {}

std::string_view KespDomDoc::GetTemplate() const { return Release().templates.kesp; }

MediaPrefsDomDoc::MediaPrefsDomDoc(std::string_view name, bool validate,
                                   const ReleaseProfile& release)
    : MediaPrefsDomDoc(DocumentReach::Beside(name), validate, release) {}

MediaPrefsDomDoc::MediaPrefsDomDoc(DocumentReach reach, bool validate,
                                   const ReleaseProfile& release)
    : VelmorDomDoc(std::move(reach), validate, release) {}

std::string_view MediaPrefsDomDoc::GetTemplate() const { return Release().templates.mediaprefs; }

OvraAttributeGroup ClassifyOvraAttribute(std::string_view name, const ReleaseProfile& release) {
  for (const AttributeRename& rename : release.renamed_attributes)
    if (rename.older == name) return ClassifyOvraAttribute(rename.newer);
  return release.KnowsAttribute(name) ? ClassifyOvraAttribute(name) : OvraAttributeGroup::kNone;
}

}  // namespace ovrabjt

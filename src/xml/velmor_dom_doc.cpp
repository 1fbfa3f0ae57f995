#include "xml/velmor_dom_doc.h"

#include <algorithm>
#include <string>
#include <utility>

#include "xml/ovra_attribute_groups.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {
namespace {

bool NoGroups(std::u16string_view) { return false; }

// The group names are ASCII, so each unit of the tag compares with a byte.
bool SameName(std::u16string_view tag, std::string_view name) {
  return std::equal(tag.begin(), tag.end(), name.begin(), name.end(),
                    [](char16_t a, char b) { return a == static_cast<unsigned char>(b); });
}

bool IsOvraGroup(std::u16string_view tag) {
  return SameName(tag, kOperationGroupElement) || SameName(tag, kJobTemplateGroupElement);
}

}  // namespace

// The parser's creation starts the XML library first.
VelmorDomDoc::VelmorDomDoc(DocumentReach reach, bool validate, const ReleaseProfile& release)
    : parser_(std::make_unique<VelmorXmlParser>(std::move(reach), validate)), release_(release) {}

VelmorDomDoc::~VelmorDomDoc() = default;

AttributeStream::GroupTest VelmorDomDoc::GroupTest() const { return NoGroups; }

bool VelmorDomDoc::IsGroupElement(const xercesc::DOMElement& element) const {
  return GroupTest()(element.getTagName());
}

void VelmorDomDoc::Parse(std::string_view text) { parser_->Parse(text); }

void VelmorDomDoc::ReadText(std::string_view text, AttrNodeList& list) {
  AttributeStream stream(GroupTest());
  parser_->Parse(text, stream);
  std::unique_ptr<AttrNodeList> read = stream.TakeAttributes();
  list.AppendAll(std::move(*read));
}

OvraDomDoc::OvraDomDoc(std::string_view name, bool validate, const ReleaseProfile& release)
    : VelmorDomDoc(DocumentReach::Beside(name).OnlyNamedType(), validate, release) {}

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

AttributeStream::GroupTest OvraDomDoc::GroupTest() const { return IsOvraGroup; }

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

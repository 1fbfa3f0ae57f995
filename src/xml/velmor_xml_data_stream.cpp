#include "xml/velmor_xml_data_stream.h"

#include <new>
#include <string_view>

#include "xml/document_reach.h"
#include "xml/ovra_parse_exception.h"
#include "xml/velmor_dom_doc.h"

namespace ovrabjt {
namespace {

// Keeping the messages is a diagnostic only; it must never replace the
// outcome of the step that made them.
void KeepMessages(const VelmorDomDoc& document, std::vector<XmlMessage>& messages) noexcept {
  try {
    messages = document.Parser().Reporter().Messages();
  } catch (const std::bad_alloc&) {
    messages.clear();
  }
}

// Runs `step` on the document and keeps the library's messages whatever
// the outcome.
template <typename Step>
void RunKeepingMessages(const VelmorDomDoc& document, std::vector<XmlMessage>& messages,
                        Step step) {
  try {
    step();
  } catch (...) {
    KeepMessages(document, messages);
    throw;
  }
  KeepMessages(document, messages);
}

}  // namespace

VelmorXmlDataStream::VelmorXmlDataStream() = default;

VelmorXmlDataStream::VelmorXmlDataStream(DocumentKind kind, const void* input, std::uint32_t length)
    : kind_(kind), input_(input), input_length_(length) {}

VelmorXmlDataStream::VelmorXmlDataStream(DocumentKind kind, XmlOutputCallback* output,
                                         const char* name)
    : kind_(kind), output_(output), name_(name != nullptr ? name : "") {}

VelmorXmlDataStream::~VelmorXmlDataStream() = default;

void VelmorXmlDataStream::SetInput(const void* bytes, std::uint32_t length) {
  input_ = bytes;
  input_length_ = length;
}

void VelmorXmlDataStream::SetOutput(XmlOutputCallback* output) { output_ = output; }

std::string VelmorXmlDataStream::GetName() const {
  return name_.empty() ? std::string(kDefaultName) : name_;
}

// Ovra documents are always validated and so need a name to find their
// document type by; the other kinds are validated only when named. A
// document known by no name at all (not even a file's) reads no file.
std::unique_ptr<VelmorDomDoc> VelmorXmlDataStream::CreateDocument() const {
  const std::string name = GetName();
  const bool named = !name_.empty();
  const auto reach = [&] {
    return named || name != kDefaultName ? DocumentReach::Beside(name)
                                         : DocumentReach::Nowhere(name);
  };
  try {
    switch (kind_) {
      case kOvraDocument:
        if (!named) throw OvraParseException(OvraErrorCode::kOvraWithoutName);
        return std::make_unique<OvraDomDoc>(name, true, *release_);
      case kKespDocument:
        return std::make_unique<KespDomDoc>(reach(), named, *release_);
      case kMediaPrefsDocument:
        return std::make_unique<MediaPrefsDomDoc>(reach(), named, *release_);
      case kNoDocument:
        break;
    }
  } catch (const std::bad_alloc&) {
    throw OvraParseException(OvraErrorCode::kDocumentAllocationFailed);
  }
  throw OvraParseException(OvraErrorCode::kBadDocumentKind);
}

void VelmorXmlDataStream::Read(AttrNodeList& list) {
  if (input_ == nullptr || input_length_ == 0) throw OvraParseException(OvraErrorCode::kNoInput);
  last_messages_.clear();
  std::unique_ptr<VelmorDomDoc> document = CreateDocument();
  RunKeepingMessages(*document, last_messages_, [&] {
    document->ReadText(std::string_view(static_cast<const char*>(input_), input_length_), list);
  });
}

void VelmorXmlDataStream::WriteList(const AttrNodeList& list) {
  if (output_ == nullptr) throw OvraParseException(OvraErrorCode::kNoOutput);
  last_messages_.clear();
  std::unique_ptr<VelmorDomDoc> document = CreateDocument();
  RunKeepingMessages(*document, last_messages_, [&] { document->WriteListTo(list, *output_); });
}

}  // namespace ovrabjt

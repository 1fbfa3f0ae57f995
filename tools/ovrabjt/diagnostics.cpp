#include "diagnostics.h"

#include "attr/attr_node_list.h"
#include "data_folder.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

using Kind = XmlMessage::Kind;

// The message that made the parse fail: the first fatal error (a document
// that is not well-formed also breaks every rule of its type), else the
// first error.
const XmlMessage* FirstProblem(const std::vector<XmlMessage>& messages) {
  const XmlMessage* first = nullptr;
  for (const XmlMessage& m : messages) {
    if (m.kind == Kind::kFatalError) return &m;
    if (m.kind != Kind::kWarning && first == nullptr) first = &m;
  }
  return first;
}

std::string ParseFailure(const DocumentReport& report, const DocumentRead& read) {
  const XmlMessage* problem = FirstProblem(report.messages);
  if (problem == nullptr) return read.shown + ": the XML library rejected the document";
  const std::string where = DescribeMessage(*problem, read);
  switch (problem->kind) {
    case Kind::kFatalError: return read.shown + ": not well-formed XML: " + where;
    case Kind::kError:
      return read.shown + ": document is not valid against " +
             std::string(ActiveRelease().ovra_dtd) + ": " +
             where;
    default: return read.shown + ": the XML library failed: " + where;
  }
}

// The file layer's reason, after ": ", when there is one.
std::string Reason(const DocumentReport& report) {
  return report.system_error.empty() ? std::string() : ": " + report.system_error;
}

}  // namespace

DocumentReport ReadDocumentReport(const DocumentRead& read) {
  VelmorXmlFile file(read.kind, read.path.c_str(),
                     read.base_name.empty() ? nullptr : read.base_name.c_str());
  file.SetRelease(ActiveRelease());
  AttrNodeList list;
  try {
    file.Read(list);
  } catch (const OvraParseException&) {
  }
  return {file.LastMessages(), file.LastSystemError()};
}

DocumentReport ReadTextReport(DocumentKind kind, std::string_view text) {
  VelmorXmlDataStream stream(kind, text.data(), static_cast<std::uint32_t>(text.size()));
  stream.SetRelease(ActiveRelease());
  AttrNodeList list;
  try {
    stream.Read(list);
  } catch (const OvraParseException&) {
  }
  return {stream.LastMessages(), {}};
}

bool IsAboutDocument(const XmlMessage& message, const DocumentRead& read) {
  const std::string& id = message.system_id;
  return id.empty() || id == read.base_name || id == read.path ||
         (read.base_name.empty() && read.path.empty() && id == VelmorXmlDataStream::kDefaultName);
}

std::string DescribeMessage(const XmlMessage& message, const DocumentRead& read) {
  std::string text;
  if (!IsAboutDocument(message, read)) text = "in " + message.system_id + ", ";
  if (message.line != 0)
    text += "line " + std::to_string(message.line) + ", column " + std::to_string(message.column) +
            ": ";
  return text + message.text;
}

std::string DescribeDocumentFailure(const OvraParseException& error, const DocumentReport& report,
                                    const DocumentRead& read) {
  switch (error.code()) {
    case OvraErrorCode::kParseException:
    case OvraErrorCode::kParseError: return ParseFailure(report, read);
    case OvraErrorCode::kFileOpenFailed:
      return "cannot open " + read.shown + " for reading" + Reason(report);
    case OvraErrorCode::kFileSizeFailed:
      return "cannot learn the size of " + read.shown + Reason(report);
    case OvraErrorCode::kNoMemoryForFile: return read.shown + " is too large to read into memory";
    case OvraErrorCode::kFileReadFailed: return "cannot read " + read.shown + Reason(report);
    case OvraErrorCode::kNoInput: return read.shown + " is empty";
    case OvraErrorCode::kPlatformTerminated:
    case OvraErrorCode::kPlatformInitFailed: return "the XML library could not be started";
    default: break;
  }
  std::string text = read.shown + ": " + DescribeOvraError(error.code());
  if (!error.detail().empty()) text += " (" + error.detail() + ")";
  return text;
}

std::string_view MessageKindName(XmlMessage::Kind kind) {
  switch (kind) {
    case Kind::kWarning: return "warning";
    case Kind::kError: return "error";
    case Kind::kFatalError: return "fatal error";
    case Kind::kLibraryException: break;
  }
  return "library exception";
}

std::string_view KindName(DocumentKind kind) {
  switch (kind) {
    case kOvraDocument: return "ovra";
    case kKespDocument: return "kesp";
    case kMediaPrefsDocument: return "mediaprefs";
    case kNoDocument: break;
  }
  return "unknown";
}

}  // namespace ovrabjt::cli

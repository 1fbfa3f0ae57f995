#include "diagnostics.h"

#include "attr/attr_node_list.h"
#include "data_folder.h"
#include "io.h"
#include "platform/code_page.h"
#include "prolog.h"
#include "xml/local_entity_resolver.h"
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

// The folder part of a path, without its last slash; "." for none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The prolog of the document read; empty when it cannot be read again.
DocumentProlog PrologOf(const DocumentRead& read) {
  std::string error;
  const std::optional<std::string> text = ReadInput(read.path, error);
  return text ? ScanProlog(*text) : DocumentProlog{};
}

// Why an ovra document's document type was not there to validate it: the
// document names none, or the file it names cannot be read. Nothing when
// the document type is in place (the XML library then says what is wrong).
std::optional<std::string> DocumentTypeFailure(const DocumentRead& read,
                                               const DocumentProlog& prolog) {
  if (read.kind != kOvraDocument || prolog.root.empty()) return std::nullopt;
  if (!prolog.has_doctype)
    return read.shown + ": no document type declaration; an ovra document starts with " +
           "<!DOCTYPE ovra SYSTEM \"" + std::string(ActiveRelease().ovra_dtd) + "\">";
  if (prolog.system_id.empty()) return std::nullopt;
  const std::string& base = read.base_name.empty() ? read.path : read.base_name;
  const std::optional<std::string> path =
      LocalPathOf(Utf8ToUtf16(prolog.system_id), Utf8ToUtf16(base));
  if (!path)
    return read.shown + ": cannot open document type '" + prolog.system_id +
           "' (only local files are read)";
  if (IsFile(*path)) return std::nullopt;
  return read.shown + ": cannot open document type '" + prolog.system_id + "' (looked in " +
         FolderOf(*path) + ")";
}

std::string ParseFailure(const DocumentReport& report, const DocumentRead& read) {
  const DocumentProlog prolog = PrologOf(read);
  if (std::optional<std::string> failure = DocumentTypeFailure(read, prolog)) return *failure;
  const XmlMessage* problem = FirstProblem(report.messages);
  if (problem == nullptr) return read.shown + ": the XML library rejected the document";
  const std::string where = DescribeMessage(*problem, read);
  switch (problem->kind) {
    case Kind::kFatalError:
      return read.shown + ": not well-formed XML: " + where;
    case Kind::kError:
      return read.shown + ": document is not valid against " +
             (prolog.system_id.empty() ? std::string(ActiveRelease().ovra_dtd) : prolog.system_id) +
             ": " + where;
    default:
      return read.shown + ": the XML library failed: " + where;
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
  return text + ShortMessage(message.text);
}

std::string ShortMessage(std::string_view text) {
  if (text.size() <= kMessageWidth) return std::string(text);
  // "element 'x' is not allowed for content model '(a|b|...)'": what is not
  // allowed comes first, then as much of the model as fits.
  constexpr std::string_view kModel = " for content model '";
  const std::size_t model = text.find(kModel);
  std::string head(text.substr(0, model == std::string_view::npos ? 0 : model));
  if (!head.empty() && head.size() < kMessageWidth / 2) {
    head += " here; the content model is ";
    const std::string_view rest = text.substr(model + kModel.size());
    return head + std::string(rest.substr(0, kMessageWidth - head.size())) + "...";
  }
  return std::string(text.substr(0, kMessageWidth)) + "...";
}

std::optional<std::string> DescribeCause(const DocumentRead& read) {
  return DocumentTypeFailure(read, PrologOf(read));
}

std::string DescribeDocumentFailure(const OvraParseException& error, const DocumentReport& report,
                                    const DocumentRead& read) {
  switch (error.code()) {
    case OvraErrorCode::kParseException:
    case OvraErrorCode::kParseError:
      return ParseFailure(report, read);
    case OvraErrorCode::kFileOpenFailed:
      return "cannot open " + read.shown + " for reading" + Reason(report);
    case OvraErrorCode::kFileSizeFailed:
      return "cannot learn the size of " + read.shown + Reason(report);
    case OvraErrorCode::kNoMemoryForFile:
      return read.shown + " is too large to read into memory";
    case OvraErrorCode::kFileReadFailed:
      return "cannot read " + read.shown + Reason(report);
    case OvraErrorCode::kNoInput:
      return read.shown + " is empty";
    case OvraErrorCode::kPlatformTerminated:
    case OvraErrorCode::kPlatformInitFailed:
      return "the XML library could not be started";
    default:
      break;
  }
  std::string text = read.shown + ": " + DescribeOvraError(error.code());
  if (!error.detail().empty()) text += " (" + error.detail() + ")";
  return text;
}

std::string DescribeReadFailure(const OvraParseException& error, const DocumentRead& read) {
  return DescribeDocumentFailure(error, ReadDocumentReport(read), read);
}

std::string_view MessageKindName(XmlMessage::Kind kind) {
  switch (kind) {
    case Kind::kWarning:
      return "warning";
    case Kind::kError:
      return "error";
    case Kind::kFatalError:
      return "fatal error";
    case Kind::kLibraryException:
      break;
  }
  return "library exception";
}

std::string_view KindName(DocumentKind kind) {
  switch (kind) {
    case kOvraDocument:
      return "ovra";
    case kKespDocument:
      return "kesp";
    case kMediaPrefsDocument:
      return "mediaprefs";
    case kNoDocument:
      break;
  }
  return "unknown";
}

}  // namespace ovrabjt::cli

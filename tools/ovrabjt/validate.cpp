// validate: parse a document as the library does and print everything the
// XML library says about it, with file, line and column.
#include <cstdio>
#include <memory>
#include <optional>

#include "attr/attr_node_list.h"
#include "commands.h"
#include "data_folder.h"
#include "diagnostics.h"
#include "io.h"
#include "prolog.h"
#include "value_check.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

struct ValidateOptions {
  std::string input;
  std::string kind;  // empty: from the root element
  bool strict = false;
};

// The kind given, else the one the root element names; ovra when it names
// none of them.
DocumentKind KindOf(std::string_view given, std::string_view text) {
  const std::string root = given.empty() ? ScanProlog(text).root : std::string(given);
  return KindOfRoot(root).value_or(kOvraDocument);
}

// "job.xml:12:5: error: text", naming the entity itself when it is not the
// document (its document type).
std::string MessageLine(const XmlMessage& message, const DocumentRead& read,
                        const std::string& input) {
  std::string line = IsAboutDocument(message, read) ? input : message.system_id;
  if (message.line != 0)
    line += ":" + std::to_string(message.line) + ":" + std::to_string(message.column);
  return line + ": " + std::string(MessageKindName(message.kind)) + ": " +
         ShortMessage(message.text);
}

// The document type an ovra document was checked against: the one it
// declares, and the release's own when that differs.
std::string CheckedAgainst(std::string_view text) {
  const std::string declared = ScanProlog(text).system_id;
  const std::string_view own = ActiveRelease().ovra_dtd;
  if (declared.empty() || declared == own) return std::string(own);
  return declared + "; release " + std::string(ActiveRelease().file_version) + " writes " +
         std::string(own);
}

// After the messages listed above it, one line that does not repeat them:
// "'x.xml' is not valid against ovra-v02012.dtd: 2 errors".
std::string FailureSummary(const std::vector<XmlMessage>& messages, const DocumentRead& read,
                           std::string_view text) {
  std::size_t errors = 0, fatal = 0;
  for (const XmlMessage& m : messages) {
    errors += m.kind == XmlMessage::Kind::kError;
    fatal +=
        m.kind == XmlMessage::Kind::kFatalError || m.kind == XmlMessage::Kind::kLibraryException;
  }
  const auto count = [](std::size_t n, std::string_view what) {
    return std::to_string(n) + " " + std::string(what) + (n == 1 ? "" : "s");
  };
  if (fatal != 0) return read.shown + " is not well-formed XML: " + count(fatal, "fatal error");
  const std::string declared = ScanProlog(text).system_id;
  const std::string against =
      read.kind == kOvraDocument
          ? "valid against " + (declared.empty() ? std::string(ActiveRelease().ovra_dtd) : declared)
          : "a valid " + std::string(KindName(read.kind)) + " document";
  return read.shown + " is not " + against + ": " + count(errors, "error");
}

int RunValidate(const GlobalOptions& global, const ValidateOptions& options) {
  std::string error;
  const auto text = ReadInput(options.input, error);
  if (!text) {
    PrintFailure(error);
    return kExitFailed;
  }
  const DocumentKind kind = KindOf(options.kind, *text);
  if (const auto wrong = WrongKind(*text, kind, DisplayName(options.input))) {
    PrintFailure(*wrong);
    return kExitFailed;
  }
  StagedFile staged;
  if (IsStandardStream(options.input) && !staged.Stage(*text, ".xml", error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  const DocumentRead read{staged.Path().empty() ? options.input : staged.Path(),
                          DisplayName(options.input),
                          kind == kOvraDocument ? OvraBaseName(global, options.input) : "", kind};
  VelmorXmlFile file(kind, read.path.c_str(),
                     read.base_name.empty() ? nullptr : read.base_name.c_str());
  file.SetRelease(ActiveRelease());
  AttrNodeList list;
  std::optional<OvraParseException> failure;
  try {
    file.Read(list);
  } catch (const OvraParseException& e) {
    failure = e;
  }
  const DocumentReport report{file.LastMessages(), file.LastSystemError()};
  if (failure) {
    // A missing document type is said once, in words, instead of the
    // library's messages that follow from it.
    if (const auto cause = DescribeCause(read)) {
      PrintFailure(*cause);
      return kExitFailed;
    }
  }
  const std::string shown_path = IsStandardStream(options.input) ? "<stdin>" : options.input;
  for (const XmlMessage& message : report.messages)
    std::fprintf(stderr, "%s\n", MessageLine(message, read, shown_path).c_str());
  if (failure) {
    const bool parse = failure->code() == OvraErrorCode::kParseError ||
                       failure->code() == OvraErrorCode::kParseException;
    PrintFailure(parse && !report.messages.empty()
                     ? FailureSummary(report.messages, read, *text)
                     : DescribeDocumentFailure(*failure, report, read));
    return kExitFailed;
  }
  if (!CheckDocumentValues(*text, kind, read.base_name, read.shown, options.strict, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  std::string verdict = read.shown + ": ";
  verdict += kind == kOvraDocument
                 ? "valid ovra document (" + CheckedAgainst(*text) + ")"
                 : "well-formed " + std::string(KindName(kind)) +
                       " document (read without a document type, as the library reads it)";
  std::printf("%s, %zu attributes\n", verdict.c_str(), list.size());
  return kExitOk;
}

}  // namespace

void AddValidateCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<ValidateOptions>();
  CLI::App* command = app.add_subcommand(
      "validate",
      "Parse and validate a document, printing the XML library's messages and the values that "
      "do not take effect");
  command->add_option("file", options->input, "The document (- for standard input)")
      ->required()
      ->type_name("FILE");
  command
      ->add_option("--kind", options->kind, "The kind of document (default: from its root element)")
      ->check(CLI::IsMember({"ovra", "kesp", "mediaprefs"}))
      ->type_name("KIND");
  AddStrictFlag(*command, options->strict);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] { return RunValidate(global, *options); };
  });
}

}  // namespace ovrabjt::cli

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
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

struct ValidateOptions {
  std::string input;
  std::string kind;  // empty: from the root element
};

// The name of the root element, after the declaration, comments and the
// document type; empty when there is none.
std::string RootElement(std::string_view text) {
  std::size_t at = 0;
  while ((at = text.find('<', at)) != std::string_view::npos) {
    const std::string_view rest = text.substr(at + 1);
    if (rest.starts_with("!--")) {
      at = text.find("-->", at);
    } else if (rest.starts_with('?') || rest.starts_with('!')) {
      at = text.find('>', at);
    } else {
      const std::size_t end = rest.find_first_of(" \t\r\n/>");
      return std::string(rest.substr(0, end));
    }
    if (at == std::string_view::npos) break;
  }
  return {};
}

// The kind given, else the one the root element names; ovra when it names
// none of them.
DocumentKind KindOf(std::string_view given, std::string_view text) {
  const std::string root = given.empty() ? RootElement(text) : std::string(given);
  if (root == KindName(kKespDocument)) return kKespDocument;
  if (root == KindName(kMediaPrefsDocument)) return kMediaPrefsDocument;
  return kOvraDocument;
}

// "job.xml:12:5: error: text", naming the entity itself when it is not the
// document (its document type).
std::string MessageLine(const XmlMessage& message, const DocumentRead& read,
                        const std::string& input) {
  std::string line = IsAboutDocument(message, read) ? input : message.system_id;
  if (message.line != 0)
    line += ":" + std::to_string(message.line) + ":" + std::to_string(message.column);
  return line + ": " + std::string(MessageKindName(message.kind)) + ": " + message.text;
}

int RunValidate(const GlobalOptions& global, const ValidateOptions& options) {
  std::string error;
  const auto text = ReadInput(options.input, error);
  if (!text) {
    PrintFailure(error);
    return kExitFailed;
  }
  StagedFile staged;
  if (IsStandardStream(options.input) && !staged.Stage(*text, ".xml", error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  const DocumentKind kind = KindOf(options.kind, *text);
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
  const std::string shown_path = IsStandardStream(options.input) ? "<stdin>" : options.input;
  for (const XmlMessage& message : file.LastMessages())
    std::fprintf(stderr, "%s\n", MessageLine(message, read, shown_path).c_str());
  if (failure) {
    PrintFailure(
        DescribeDocumentFailure(*failure, {file.LastMessages(), file.LastSystemError()}, read));
    return kExitFailed;
  }
  std::string verdict = read.shown + ": ";
  verdict += kind == kOvraDocument
                 ? "valid ovra document (" + std::string(ActiveRelease().ovra_dtd) + ")"
                 : "well-formed " + std::string(KindName(kind)) +
                       " document (read without a document type, as the library reads it)";
  std::printf("%s, %zu attributes\n", verdict.c_str(), list.size());
  return kExitOk;
}

}  // namespace

void AddValidateCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<ValidateOptions>();
  CLI::App* command = app.add_subcommand(
      "validate", "Parse and validate a document, printing the XML library's messages");
  command->add_option("file", options->input, "The document (- for standard input)")
      ->required()
      ->type_name("FILE");
  command
      ->add_option("--kind", options->kind, "The kind of document (default: from its root element)")
      ->check(CLI::IsMember({"ovra", "kesp", "mediaprefs"}))
      ->type_name("KIND");
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] { return RunValidate(global, *options); };
  });
}

}  // namespace ovrabjt::cli

// merge: the settings of an ovra document read over a ticket.
#include <memory>
#include <optional>
#include <string>

#include "commands.h"
#include "data_folder.h"
#include "diagnostics.h"
#include "inputs.h"
#include "io.h"
#include "operations/merge_ticket.h"
#include "tickets.h"
#include "value_check.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

struct MergeOptions {
  std::string base;
  std::string delta;
  std::string output;
  bool xml = false;
  bool strict = false;
};

// The delta's settings over `record`, read as a load reads a document. Its
// values that do not take effect are warned about, as a load's are, and
// refuse it when `strict`.
Status MergeDelta(const GlobalOptions& global, bool strict, const std::string& path,
                  TicketRecord& record) {
  std::string text;
  StagedFile staged;
  Status status = ReadDocumentText(path, kOvraDocument, text);
  if (status) status = staged.Stage(text, ".xml");
  if (!status) return status;
  const DocumentRead read{staged.Path(), DisplayName(path), OvraBaseName(global, path),
                          kOvraDocument};
  VelmorXmlFile source(kOvraDocument, read.path.c_str(), read.base_name.c_str());
  source.SetRelease(ActiveRelease());
  std::optional<OvraParseException> failure;
  if (MergeTicketDocument(source, record, &failure))
    return {StatusCode::kDocumentError, DescribeReadFailure(*failure, read), failure};
  return CheckDocumentValues(text, kOvraDocument, read.base_name, read.shown, strict);
}

int RunMerge(const GlobalOptions& global, const MergeOptions& options) {
  auto record = NewRecord();
  Status status = ReadTicketFile(global, options.strict, options.base, *record);
  if (status) status = MergeDelta(global, options.strict, options.delta, *record);
  if (status) status = WriteTicketFile(global, *record, options.output, options.xml);
  if (!status) {
    PrintFailure(status.message());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void AddMergeCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<MergeOptions>();
  CLI::App* command = app.add_subcommand(
      "merge",
      "Read the settings of an ovra document over a ticket: what the delta names replaces the "
      "base's setting, the rest stays");
  command
      ->add_option("base", options->base, "Packed ticket or ovra document (- for standard input)")
      ->required()
      ->type_name("BASE");
  command->add_option("delta", options->delta, "Ovra document of the settings to change")
      ->required()
      ->type_name("DELTA");
  command->add_option("-o,--output", options->output, "The merged ticket (- for standard output)")
      ->required()
      ->type_name("OUT");
  command->add_flag("--xml", options->xml, "Write an ovra document instead of a packed ticket");
  AddStrictFlag(*command, options->strict);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      if (options->base == kStandardStream && options->delta == kStandardStream)
        throw UsageError("only one of BASE and DELTA can be standard input");
      if (!options->xml) RefuseTerminalOutput(options->output, ", or --xml for a document");
      return RunMerge(global, *options);
    };
  });
}

}  // namespace ovrabjt::cli

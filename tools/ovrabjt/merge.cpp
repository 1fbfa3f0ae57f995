// merge: the settings of an ovra document read over a ticket.
#include <memory>
#include <optional>
#include <string>

#include "commands.h"
#include "data_folder.h"
#include "inputs.h"
#include "io.h"
#include "operations/merge_ticket.h"
#include "xml/velmor_xml_file.h"

namespace ovrabjt::cli {

namespace {

struct MergeOptions {
  std::string base;
  std::string delta;
  std::string output;
  bool xml = false;
};

// The delta's settings over `record`, read as a load reads a document.
bool MergeDelta(const GlobalOptions& global, const std::string& path, TicketRecord& record,
                std::string& error) {
  std::string text;
  if (!ReadSettingsDocument(path, "a delta", text, error)) return false;
  StagedFile staged;
  if (!staged.Stage(text, ".xml", error)) return false;
  const std::string base_name = OvraBaseName(global, path);
  VelmorXmlFile source(kOvraDocument, staged.Path().c_str(), base_name.c_str());
  source.SetRelease(ActiveRelease());
  std::optional<OvraParseException> failure;
  if (!MergeTicketDocument(source, record, &failure)) return true;
  error = DescribeDocumentRead(global, path, staged.Path(), *failure);
  return false;
}

int RunMerge(const GlobalOptions& global, const MergeOptions& options) {
  auto record = TicketRecord::Allocate();
  if (!record) throw std::bad_alloc();
  std::string error;
  if (!ReadTicketFile(global, options.base, *record, error) ||
      !MergeDelta(global, options.delta, *record, error) ||
      !WriteTicketFile(global, *record, options.output, options.xml, error)) {
    PrintFailure(error);
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
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      if (options->base == kStandardStream && options->delta == kStandardStream)
        throw UsageError("only one of BASE and DELTA can be standard input");
      return RunMerge(global, *options);
    };
  });
}

}  // namespace ovrabjt::cli

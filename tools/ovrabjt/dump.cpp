// dump: every field of a packed ticket by name, with decoded values.
#include <cstdio>
#include <memory>

#include "commands.h"
#include "io.h"
#include "json_report.h"
#include "prolog.h"
#include "ticket_dump.h"
#include "tickets.h"

namespace ovrabjt::cli {

namespace {

struct DumpOptions {
  std::string input;
  bool json = false;
};

int RunDump(const DumpOptions& options) {
  std::string error;
  const auto packed = ReadInput(options.input, error);
  auto record = NewRecord();
  if (packed) {
    if (const auto xml = NotAPackedTicket(*packed, DisplayName(options.input))) error = *xml;
  }
  if (!packed || !error.empty() ||
      !UnpackTicketBytes(*packed, DisplayName(options.input), *record, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  nlohmann::ordered_json ticket = DescribeTicket(*record);
  std::string text;
  if (options.json) {
    nlohmann::ordered_json document = {{"file", options.input}, {"size", packed->size()}};
    document.update(ticket);
    text = JsonText(document);
  } else {
    text = "packed ticket " + DisplayName(options.input) + ": " + std::to_string(packed->size()) +
           " bytes\n\n" + RenderTicket(ticket);
  }
  if (!WriteOutput("-", text, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void AddDumpCommand(CLI::App& app, const GlobalOptions&, Runner& chosen) {
  auto options = std::make_shared<DumpOptions>();
  CLI::App* command =
      app.add_subcommand("dump", "Show every field of a packed ticket with its meaning");
  command->add_option("ticket", options->input, "Packed ticket (- for standard input)")
      ->required()
      ->type_name("FILE");
  AddJsonFlag(*command, options->json);
  command->callback([options, &chosen] { chosen = [options] { return RunDump(*options); }; });
}

}  // namespace ovrabjt::cli

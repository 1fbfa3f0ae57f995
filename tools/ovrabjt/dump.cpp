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
  std::string bytes;
  auto record = NewRecord();
  Status status = ReadInput(options.input, bytes);
  if (status) {
    if (const auto xml = NotAPackedTicket(bytes, DisplayName(options.input)))
      status = Refusal(*xml);
  }
  if (status) status = UnpackTicketBytes(bytes, DisplayName(options.input), *record);
  if (!status) {
    PrintFailure(status.message());
    return kExitFailed;
  }
  nlohmann::ordered_json ticket = DescribeTicket(*record);
  std::string text;
  if (options.json) {
    nlohmann::ordered_json document = {{"file", options.input}, {"size", bytes.size()}};
    document.update(ticket);
    text = JsonText(document);
  } else {
    text = "packed ticket " + DisplayName(options.input) + ": " + std::to_string(bytes.size()) +
           " bytes\n\n" + RenderTicket(ticket);
  }
  if (const Status written = WriteOutput("-", text); !written) {
    PrintFailure(written.message());
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

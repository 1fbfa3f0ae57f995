// from-xml: ovra document -> packed ticket, by the path of LoadOvra.
#include <cstdint>
#include <memory>
#include <vector>

#include "batch.h"
#include "commands.h"
#include "inputs.h"
#include "io.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

namespace {

struct FromXmlOptions {
  ConversionTargets targets;
  bool strict = false;
};

Status ConvertFromXml(const GlobalOptions& global, bool strict, const std::string& input,
                      const std::string& output) {
  std::string text;
  std::vector<std::uint8_t> packed;
  Status status = ReadInput(input, text);
  if (status) status = ReadTicketDocument(global, strict, input, text, packed);
  if (status) status = WriteOutput(output, AsBytes(packed));
  return status;
}

}  // namespace

void AddFromXmlCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<FromXmlOptions>();
  CLI::App* command = app.add_subcommand("from-xml", "Convert ovra documents into packed tickets");
  AddConversionTargets(*command, options->targets, "Ovra documents (- for standard input)",
                       "The packed ticket to write (- for standard output)");
  AddStrictFlag(*command, options->strict);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      const ConversionTargets& targets = options->targets;
      if (targets.folder.empty()) RefuseTerminalOutput(targets.output);
      return RunConversions(targets, ".bjt", [&](const std::string& in, const std::string& out) {
        return ConvertFromXml(global, options->strict, in, out);
      });
    };
  });
}

}  // namespace ovrabjt::cli

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

bool ConvertFromXml(const GlobalOptions& global, bool strict, const std::string& input,
                    const std::string& output, std::string& error) {
  const auto text = ReadInput(input, error);
  std::vector<std::uint8_t> packed;
  return text && ReadTicketDocument(global, strict, input, *text, packed, error) &&
         WriteOutput(output, AsBytes(packed), error);
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
      return RunConversions(targets, ".bjt",
                            [&](const std::string& in, const std::string& out, std::string& error) {
                              return ConvertFromXml(global, options->strict, in, out, error);
                            });
    };
  });
}

}  // namespace ovrabjt::cli

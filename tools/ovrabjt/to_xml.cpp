// to-xml: packed ticket -> ovra document, by the path of
// ConvertBJTToOvraStream.
#include <memory>

#include "batch.h"
#include "commands.h"
#include "data_folder.h"
#include "io.h"
#include "prolog.h"
#include "tickets.h"

namespace ovrabjt::cli {

namespace {

struct ToXmlOptions {
  ConversionTargets targets;
  bool no_indent = false;
};

bool ConvertToXml(const GlobalOptions& global, bool indent, const std::string& input,
                  const std::string& output, std::string& error) {
  const auto packed = ReadInput(input, error);
  if (!packed) return false;
  if (const auto xml = NotAPackedTicket(*packed, DisplayName(input))) {
    error = *xml;
    return false;
  }
  std::string text;
  return TicketToDocument(*packed, DisplayName(input), OvraBaseName(global, output), indent, text,
                          error) &&
         WriteOutput(output, text, error);
}

}  // namespace

void AddToXmlCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<ToXmlOptions>();
  CLI::App* command = app.add_subcommand("to-xml", "Convert packed tickets into ovra documents");
  AddConversionTargets(*command, options->targets, "Packed tickets (- for standard input)",
                       "The ovra document to write (default: - for standard output)");
  command->add_flag("--no-indent", options->no_indent,
                    "Write the document without line breaks and tabs");
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      return RunConversions(options->targets, ".xml",
                            [&](const std::string& in, const std::string& out, std::string& error) {
                              return ConvertToXml(global, !options->no_indent, in, out, error);
                            });
    };
  });
}

}  // namespace ovrabjt::cli

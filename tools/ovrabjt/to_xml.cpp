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

Status ConvertToXml(const GlobalOptions& global, bool indent, const std::string& input,
                    const std::string& output) {
  std::string packed;
  if (Status read = ReadInput(input, packed); !read) return read;
  if (const auto xml = NotAPackedTicket(packed, DisplayName(input))) return Refusal(*xml);
  std::string text;
  const Status converted =
      TicketToDocument(packed, DisplayName(input), OvraBaseName(global, output), indent, text);
  if (!converted) return converted;
  return WriteOutput(output, text);
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
                            [&](const std::string& in, const std::string& out) {
                              return ConvertToXml(global, !options->no_indent, in, out);
                            });
    };
  });
}

}  // namespace ovrabjt::cli

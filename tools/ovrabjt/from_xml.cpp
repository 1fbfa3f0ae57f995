// from-xml: ovra document -> packed ticket, by the path of LoadOvra.
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "batch.h"
#include "commands.h"
#include "data_folder.h"
#include "io.h"
#include "tickets.h"

namespace ovrabjt::cli {

namespace {

bool ReadTicketDocument(const GlobalOptions& global, const std::string& input,
                        std::vector<std::uint8_t>& packed, std::string& error) {
  const std::string base_name = OvraBaseName(global, input);
  if (!IsStandardStream(input))
    return DocumentToTicket({input, DisplayName(input), base_name, kOvraDocument}, packed, error);
  const auto text = ReadInput(input, error);
  return text && DocumentTextToTicket(*text, DisplayName(input), base_name, packed, error);
}

bool ConvertFromXml(const GlobalOptions& global, const std::string& input,
                    const std::string& output, std::string& error) {
  std::vector<std::uint8_t> packed;
  if (!ReadTicketDocument(global, input, packed, error)) return false;
  const std::string_view bytes(reinterpret_cast<const char*>(packed.data()), packed.size());
  return WriteOutput(output, bytes, error);
}

}  // namespace

void AddFromXmlCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto targets = std::make_shared<ConversionTargets>();
  CLI::App* command = app.add_subcommand("from-xml", "Convert ovra documents into packed tickets");
  AddConversionTargets(*command, *targets, "Ovra documents (- for standard input)",
                       "The packed ticket to write (- for standard output)");
  command->callback([targets, &global, &chosen] {
    chosen = [targets, &global] {
      if (targets->folder.empty() && IsStandardStream(targets->output) && ::isatty(STDOUT_FILENO))
        throw UsageError("a packed ticket is binary: give -o FILE, or -o - with a redirection");
      return RunConversions(*targets, ".bjt",
                            [&](const std::string& in, const std::string& out, std::string& error) {
                              return ConvertFromXml(global, in, out, error);
                            });
    };
  });
}

}  // namespace ovrabjt::cli

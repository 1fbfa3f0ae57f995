// from-xml: ovra document -> packed ticket, by the path of LoadOvra.
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "batch.h"
#include "commands.h"
#include "data_folder.h"
#include "io.h"
#include "prolog.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

namespace {

struct FromXmlOptions {
  ConversionTargets targets;
  bool strict = false;
};

// The packed ticket of the document `input` whose text is `text`; values
// that do not take effect are warned about, and refuse it when `strict`.
bool ReadTicketDocument(const GlobalOptions& global, bool strict, const std::string& input,
                        const std::string& text, std::vector<std::uint8_t>& packed,
                        std::string& error) {
  const std::string shown = DisplayName(input);
  if (const auto wrong = WrongKind(text, kOvraDocument, shown)) {
    error = *wrong;
    return false;
  }
  const std::string base_name = OvraBaseName(global, input);
  const bool converted =
      IsStandardStream(input)
          ? DocumentTextToTicket(text, shown, base_name, packed, error)
          : DocumentToTicket({input, shown, base_name, kOvraDocument}, packed, error);
  if (!converted) return false;
  const auto refused =
      ReportValueWarnings(DocumentWarnings(text, kOvraDocument, base_name), shown, strict);
  if (refused) error = *refused;
  return !refused;
}

bool ConvertFromXml(const GlobalOptions& global, bool strict, const std::string& input,
                    const std::string& output, std::string& error) {
  const auto text = ReadInput(input, error);
  std::vector<std::uint8_t> packed;
  if (!text || !ReadTicketDocument(global, strict, input, *text, packed, error)) return false;
  const std::string_view bytes(reinterpret_cast<const char*>(packed.data()), packed.size());
  return WriteOutput(output, bytes, error);
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
      if (targets.folder.empty() && IsStandardStream(targets.output) && ::isatty(STDOUT_FILENO))
        throw UsageError("a packed ticket is binary: give -o FILE, or -o - with a redirection");
      return RunConversions(targets, ".bjt",
                            [&](const std::string& in, const std::string& out, std::string& error) {
                              return ConvertFromXml(global, options->strict, in, out, error);
                            });
    };
  });
}

}  // namespace ovrabjt::cli

// fit: whether a ticket's settings are among the values a printer's
// capabilities document supports.
#include <cstdio>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "commands.h"
#include "inputs.h"
#include "io.h"
#include "json_report.h"
#include "operations/fit_ticket.h"
#include "platform/code_page.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

namespace {

using Json = nlohmann::ordered_json;

// How many supported values a line shows before it only counts the rest.
constexpr std::size_t kShownValues = 3;

struct FitOptions {
  std::string ticket;
  std::string capabilities;
  bool drop = false;
  std::string output;
  bool xml = false;
  bool json = false;
  bool strict = false;
};

std::string Utf8(std::string_view text) { return Utf16ToUtf8(Cp1252ToUtf16(text)); }

std::string Quoted(std::string_view text) { return "\"" + Utf8(text) + "\""; }

std::string Plural(std::size_t n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string Where(const UnsupportedSetting& u) {
  if (!u.page_override) return "job";
  return "page override " + std::to_string(*u.page_override + 1) + " (pages " +
         std::to_string(u.first_page) + "-" + std::to_string(u.last_page) + ")";
}

std::string Line(const UnsupportedSetting& u) {
  std::string line = Where(u) + ": " + std::string(u.attribute) + " " + Quoted(u.value) +
                     " is not supported; " + std::string(u.capability) + " has " +
                     Plural(u.supported.size(), "value", "values");
  for (std::size_t i = 0; i < u.supported.size() && i < kShownValues; ++i)
    line += (i == 0 ? ": " : ", ") + Quoted(u.supported[i]);
  if (u.supported.size() > kShownValues)
    line += " and " + std::to_string(u.supported.size() - kShownValues) + " more";
  return line + "\n";
}

std::string Text(const FitOptions& options, const FitReport& report) {
  std::string text;
  for (const UnsupportedSetting& u : report.unsupported) text += Line(u);
  const std::string pair = DisplayName(options.ticket) + " on " + DisplayName(options.capabilities);
  const std::string against = Plural(report.capabilities.size(), "capability", "capabilities");
  if (report.Fits())
    text += pair + ": every setting fits (" + Plural(report.checked, "setting", "settings") +
            " checked against " + against + ")\n";
  else
    text += pair + ": " + std::to_string(report.unsupported.size()) + " of " +
            Plural(report.checked, "setting does", "settings do") + " not fit\n";
  return text;
}

Json JsonReport(const FitOptions& options, const FitReport& report) {
  Json unsupported = Json::array();
  for (const UnsupportedSetting& u : report.unsupported) {
    Json supported = Json::array();
    for (const std::string& value : u.supported) supported.push_back(Utf8(value));
    Json where = u.page_override ? Json{{"pageOverride", *u.page_override + 1},
                                        {"firstPage", u.first_page},
                                        {"lastPage", u.last_page}}
                                 : Json("job");
    unsupported.push_back({{"where", where},
                           {"attribute", u.attribute},
                           {"value", Utf8(u.value)},
                           {"capability", u.capability},
                           {"supportedCount", u.supported.size()},
                           {"supported", supported}});
  }
  Json capabilities = Json::array();
  for (std::string_view name : report.capabilities) capabilities.push_back(name);
  return {{"ticket", options.ticket},
          {"capabilities", options.capabilities},
          {"fits", report.Fits()},
          {"checked", report.checked},
          {"constrainingCapabilities", capabilities},
          {"unsupported", unsupported}};
}

int RunFit(const GlobalOptions& global, const FitOptions& options) {
  auto record = NewRecord();
  std::unique_ptr<AttrNodeList> capabilities;
  Status status = ReadTicketFile(global, options.strict, options.ticket, *record);
  if (status) status = ReadCapabilitiesFile(options.capabilities, capabilities);
  if (!status) {
    PrintFailure(status.message());
    return kExitTrouble;
  }
  const FitReport report = FitTicket(*record, *capabilities, ActiveRelease());
  if (report.capabilities.empty())
    PrintFailure(DisplayName(options.capabilities) +
                 " has none of the capabilities that constrain a ticket's settings; nothing "
                 "was checked");
  if (options.drop) {
    DropUnsupported(*record, report);
    if (const Status written = WriteTicketFile(global, *record, options.output, options.xml);
        !written) {
      PrintFailure(written.message());
      return kExitTrouble;
    }
  }
  const std::string text =
      options.json ? JsonText(JsonReport(options, report)) : Text(options, report);
  // The report goes to standard error when the ticket takes standard output.
  if (options.drop && IsStandardStream(options.output)) {
    std::fputs(text.c_str(), stderr);
  } else if (const Status written = WriteOutput("-", text); !written) {
    PrintFailure(written.message());
    return kExitTrouble;
  }
  return report.Fits() ? kExitOk : kExitFailed;
}

}  // namespace

void AddFitCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<FitOptions>();
  CLI::App* command = app.add_subcommand(
      "fit",
      "Check a ticket's settings against a printer's capabilities: exit 0 when every setting is "
      "supported, 1 when one is not, 2 on trouble");
  command
      ->add_option("ticket", options->ticket,
                   "Packed ticket or ovra document (- for standard input)")
      ->required()
      ->type_name("TICKET");
  command
      ->add_option("capabilities", options->capabilities,
                   "The printer's capabilities (kesp) document")
      ->required()
      ->type_name("CAPS");
  CLI::Option* drop = command->add_flag(
      "--drop-unsupported", options->drop,
      "Write the ticket with every unsupported setting returned to \"not given\"");
  CLI::Option* output = command
                            ->add_option("-o,--output", options->output,
                                         "Where --drop-unsupported writes (- for standard output)")
                            ->type_name("OUT");
  drop->needs(output);
  output->needs(drop);
  command->add_flag("--xml", options->xml,
                    "With -o: write an ovra document instead of a packed ticket");
  AddJsonFlag(*command, options->json);
  AddStrictFlag(*command, options->strict, kExitTrouble);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      if (options->xml && !options->drop) throw UsageError("--xml needs --drop-unsupported and -o");
      if (options->ticket == kStandardStream && options->capabilities == kStandardStream)
        throw UsageError("only one of TICKET and CAPS can be standard input");
      if (options->drop && !options->xml)
        RefuseTerminalOutput(options->output, ", or --xml for a document");
      return RunFit(global, *options);
    };
  });
}

}  // namespace ovrabjt::cli

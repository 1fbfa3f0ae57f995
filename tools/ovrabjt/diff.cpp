// diff: every field that differs between two tickets, by the names and
// words of dump.
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "commands.h"
#include "inputs.h"
#include "io.h"
#include "json_report.h"
#include "operations/diff_tickets.h"
#include "ticket_dump.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

namespace {

using Json = nlohmann::ordered_json;

struct DiffOptions {
  std::string a;
  std::string b;
  bool json = false;
  bool strict = false;
};

// One side's value as dump shows it; null for an entry the side lacks.
Json SideValue(const TicketDifference& d, const DiffSide& side) {
  switch (side.kind) {
    case DiffSide::Kind::kNoMedium:
      return Json{{"id", kNoMedia}, {"slot", nullptr}};
    case DiffSide::Kind::kNoEntry:
      return nullptr;
    case DiffSide::Kind::kField:
      break;
  }
  Json value = DescribeField(*side.ticket, *d.info, side.view);
  // Strings take part by their text ("" for none): their index is of no
  // interest here, unless the table lacks it.
  if (d.info->kind == FieldKind::kStringRef && value["text"].is_string()) return value["text"];
  return value;
}

std::string Shown(const Json& value) {
  if (value.is_null()) return "(absent)";
  if (value == "") return "none";
  return RenderValue(value);
}

std::string Text(const DiffOptions& options, const Json& differences) {
  if (differences.empty()) return "";
  const std::size_t n = differences.size();
  std::string text = DisplayName(options.a) + " and " + DisplayName(options.b) + " differ in " +
                     std::to_string(n) + (n == 1 ? " field:\n" : " fields:\n");
  for (const Json& d : differences)
    text +=
        "  " + d["field"].get<std::string>() + ": " + Shown(d["a"]) + " -> " + Shown(d["b"]) + "\n";
  return text;
}

int RunDiff(const GlobalOptions& global, const DiffOptions& options) {
  auto a = NewRecord(), b = NewRecord();
  std::string error;
  if (!ReadTicketFile(global, options.strict, options.a, *a, error) ||
      !ReadTicketFile(global, options.strict, options.b, *b, error)) {
    PrintFailure(error);
    return kExitTrouble;
  }
  Json differences = Json::array();
  for (const TicketDifference& d : DiffTickets(*a, *b))
    differences.push_back({{"field", d.field}, {"a", SideValue(d, d.a)}, {"b", SideValue(d, d.b)}});
  const std::string text = options.json ? JsonText({{"a", options.a},
                                                    {"b", options.b},
                                                    {"equal", differences.empty()},
                                                    {"differences", differences}})
                                        : Text(options, differences);
  if (!WriteOutput("-", text, error)) {
    PrintFailure(error);
    return kExitTrouble;
  }
  return differences.empty() ? kExitOk : kExitFailed;
}

}  // namespace

void AddDiffCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<DiffOptions>();
  CLI::App* command = app.add_subcommand(
      "diff",
      "Show every field that differs between two tickets: exit 0 when they are equal, 1 when "
      "they differ, 2 on trouble");
  command->add_option("a", options->a, "Packed ticket or ovra document (- for standard input)")
      ->required()
      ->type_name("A");
  command->add_option("b", options->b, "Packed ticket or ovra document")
      ->required()
      ->type_name("B");
  AddJsonFlag(*command, options->json);
  AddStrictFlag(*command, options->strict, kExitTrouble);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] {
      if (options->a == kStandardStream && options->b == kStandardStream)
        throw UsageError("only one of A and B can be standard input");
      return RunDiff(global, *options);
    };
  });
}

}  // namespace ovrabjt::cli

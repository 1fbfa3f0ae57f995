// check: a round trip through the document, reporting every field that does
// not come back.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <vector>

#include "commands.h"
#include "convert/ticket_compare.h"
#include "data_folder.h"
#include "field_words.h"
#include "inputs.h"
#include "io.h"
#include "platform/code_page.h"
#include "ticket/field_catalog.h"
#include "tickets.h"
#include "value_check.h"

namespace ovrabjt::cli {

namespace {

struct CheckOptions {
  std::string input;
  bool strict = false;
};

// The catalogue entry of a difference's field: "copies" (job),
// "pageOverrides[1].sides", "insertSheets[0].count", "jobMedia.color" and
// "pageOverrides[0].media.type" (media).
const FieldInfo* FindField(std::string_view path) {
  const std::size_t dot = path.find_last_of('.');
  const std::string_view leaf = dot == std::string_view::npos ? path : path.substr(dot + 1);
  const std::string_view owner = dot == std::string_view::npos ? "" : path.substr(0, dot);
  std::span<const FieldInfo> fields = JobFieldCatalog();
  if (!owner.empty() && owner.back() != ']')
    fields = MediaFieldCatalog();
  else if (owner.starts_with("pageOverrides["))
    fields = OverrideFieldCatalog();
  else if (owner.starts_with("insertSheets["))
    fields = InsertFieldCatalog();
  for (const FieldInfo& field : fields)
    if (field.name == leaf) return &field;
  return nullptr;
}

// A value of a difference as people read it: texts quoted, codes with
// their words.
std::string ShownValue(const FieldInfo* field, const std::string& value) {
  if (field == nullptr || field->kind == FieldKind::kMediaId) return value;
  if (field->kind == FieldKind::kText || field->kind == FieldKind::kStringRef)
    return "\"" + Utf16ToUtf8(Cp1252ToUtf16(value)) + "\"";
  const auto words = FieldWords(field->name, std::stoll(value));
  return words ? *words + " (" + value + ")" : value;
}

int Report(const std::string& shown, const std::vector<FieldDifference>& differences) {
  std::string text;
  for (const FieldDifference& d : differences) {
    const FieldInfo* field = FindField(d.field);
    text += "  " + d.field + ": " + ShownValue(field, d.left) + " -> " +
            ShownValue(field, d.right) + "\n";
  }
  if (differences.empty()) {
    std::printf("%s: every field comes back\n", shown.c_str());
    return kExitOk;
  }
  std::printf("%s: %zu field%s do%s not come back:\n%s", shown.c_str(), differences.size(),
              differences.size() == 1 ? "" : "s", differences.size() == 1 ? "es" : "",
              text.c_str());
  return kExitFailed;
}

// The record of the packed ticket after a trip through its document.
bool ThroughDocument(std::string_view packed, const std::string& shown,
                     const std::string& base_name, TicketRecord& back, std::string& error) {
  std::string text;
  std::vector<std::uint8_t> again;
  const std::string document = "the document of " + shown;
  return TicketToDocument(packed, shown, base_name, true, text, error) &&
         DocumentTextToTicket(text, document, base_name, again, error) &&
         UnpackTicketBytes(AsBytes(again), "the ticket read back from " + document, back, error);
}

int RunCheck(const GlobalOptions& global, const CheckOptions& options) {
  std::string error;
  const std::string shown = DisplayName(options.input);
  auto first = NewRecord(), back = NewRecord();
  // A document's own ticket is where the trip starts.
  std::vector<std::uint8_t> packed;
  if (!ReadTicketBytes(global, options.strict, options.input, packed, error) ||
      !UnpackTicketBytes(AsBytes(packed), shown, *first, error) ||
      !ThroughDocument(AsBytes(packed), shown, OvraBaseName(global, options.input), *back, error)) {
    PrintFailure(error);
    return kExitFailed;
  }
  return Report(shown, CompareTickets(*first, *back));
}

}  // namespace

void AddCheckCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* command = app.add_subcommand(
      "check", "Convert through the other form and back; name every field that does not return");
  command
      ->add_option("file", options->input, "Packed ticket or ovra document (- for standard input)")
      ->required()
      ->type_name("FILE");
  AddStrictFlag(*command, options->strict);
  command->callback([options, &global, &chosen] {
    chosen = [options, &global] { return RunCheck(global, *options); };
  });
}

}  // namespace ovrabjt::cli

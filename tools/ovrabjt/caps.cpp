// caps: the capability lists of a capabilities document, one value a line.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "commands.h"
#include "inputs.h"
#include "io.h"
#include "platform/code_page.h"
#include "prefs/capabilities.h"
#include "vocabulary/prefs_vocabulary.h"

namespace ovrabjt::cli {

namespace {

// Each value is read into a slot this wide: longer than any text the
// driver keeps.
constexpr std::int32_t kSlotWidth = 4096;

struct CapsOptions {
  std::string input;
  std::vector<std::string> wanted;  // names or selectors; empty for all
};

// The selector of a capability given by name or number.
std::int32_t SelectorOf(const std::string& word) {
  if (const auto selector = ActiveRelease().capabilities.CodeOf(word)) return *selector;
  std::size_t used = 0;
  int number = 0;
  try {
    number = std::stoi(word, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == word.size() && ActiveRelease().capabilities.ValueOf(number)) return number;
  throw UsageError("unknown capability '" + word +
                   "': give a name such as trc-supported or a selector from 1 to " +
                   std::to_string(ActiveRelease().capabilities.entries.size()));
}

std::vector<std::int32_t> Selectors(const std::vector<std::string>& wanted) {
  std::vector<std::int32_t> selectors;
  for (const std::string& word : wanted) selectors.push_back(SelectorOf(word));
  if (wanted.empty())
    for (const auto& entry : ActiveRelease().capabilities.entries) selectors.push_back(entry.first);
  return selectors;
}

// The values of one capability, through the query the driver makes.
std::vector<std::string> Values(const AttrNodeList& list, std::int32_t selector) {
  std::int32_t size = 0;
  GetSpecificKespInfo(list, selector, kSlotWidth, nullptr, &size, ActiveRelease());
  std::vector<char> slots(static_cast<std::size_t>(size));
  GetSpecificKespInfo(list, selector, kSlotWidth, slots.data(), &size, ActiveRelease());
  std::vector<std::string> values;
  for (std::size_t at = 0; at < slots.size(); at += kSlotWidth)
    values.push_back(Utf16ToUtf8(Cp1252ToUtf16(slots.data() + at)));
  return values;
}

int RunCaps(const CapsOptions& options) {
  const std::vector<std::int32_t> selectors = Selectors(options.wanted);
  std::unique_ptr<AttrNodeList> list;
  if (const Status read = ReadCapabilitiesFile(options.input, list); !read) {
    PrintFailure(read.message());
    return kExitFailed;
  }
  std::string out;
  for (std::int32_t selector : selectors) {
    const std::vector<std::string> values = Values(*list, selector);
    const bool alone = selectors.size() == 1;
    if (!alone && values.empty() && options.wanted.empty()) continue;
    if (!alone) out += std::string(*ActiveRelease().capabilities.ValueOf(selector)) + ":\n";
    for (const std::string& value : values) out += (alone ? "" : "  ") + value + "\n";
  }
  if (const Status written = WriteOutput("-", out); !written) {
    PrintFailure(written.message());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

void AddCapsCommand(CLI::App& app, const GlobalOptions&, Runner& chosen) {
  auto options = std::make_shared<CapsOptions>();
  CLI::App* command =
      app.add_subcommand("caps", "Print the capability lists of a capabilities (kesp) document");
  command->add_option("file", options->input, "The kesp document (- for standard input)")
      ->required()
      ->type_name("FILE");
  command
      ->add_option("capabilities", options->wanted,
                   "Capabilities by name or selector 1 to 17 (default: every one present); "
                   "one alone prints its values only, one a line")
      ->type_name("NAME|SELECTOR");
  command->callback([options, &chosen] { chosen = [options] { return RunCaps(*options); }; });
}

}  // namespace ovrabjt::cli

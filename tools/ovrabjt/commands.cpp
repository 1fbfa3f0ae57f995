#include "commands.h"

#include <cstdio>
#include <string>
#include <vector>

#include "data_folder.h"

namespace ovrabjt::cli {

namespace {
const ReleaseProfile* active_release = &BuildRelease();
}  // namespace

const ReleaseProfile& ActiveRelease() { return *active_release; }
void SetActiveRelease(const ReleaseProfile& release) { active_release = &release; }

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
  std::vector<std::string> versions;
  for (const ReleaseProfile* r : AllReleases()) versions.emplace_back(r->file_version);
  app.add_option("--release", options.release,
                 "Work in this release of the module (default: " +
                     std::string(BuildRelease().file_version) + ")")
      ->type_name("VERSION")
      ->check(CLI::IsMember(versions));
  app.add_option("--dtd-dir", options.dtd_dir,
                 "Folder holding the release's ovra document type (default: the tool's "
                 "../share/ovrabjt, else " OVRABJT_INSTALLED_DATA_DIR "; " +
                     DescribeDtdFolder() + ")")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory);
}

void ShowGlobalOptions(CLI::App& app) {
  std::vector<const CLI::Option*> options;
  for (const CLI::Option* option : app.get_options())
    if (option->get_name() != "--help") options.push_back(option);
  std::string text = CLI::Formatter().make_group("Global options (before or after the subcommand)",
                                                 false, options);
  while (!text.empty() && text.front() == '\n') text.erase(0, 1);
  for (CLI::App* command : app.get_subcommands([](CLI::App*) { return true; }))
    command->footer(text);
}

void AddHelpCommand(CLI::App& app, Runner& chosen) {
  auto name = std::make_shared<std::string>();
  CLI::App* command =
      app.add_subcommand("help", "Print the help of the program or of a subcommand");
  command->add_option("subcommand", *name, "The subcommand to explain")->type_name("SUBCOMMAND");
  CLI::App* program = &app;
  command->callback([program, name, &chosen] {
    chosen = [program, name] {
      const CLI::App* about = program;
      std::string usage = "ovrabjt";
      if (!name->empty()) {
        const auto named =
            program->get_subcommands([&](CLI::App* sub) { return sub->check_name(*name); });
        if (named.empty()) throw UsageError("no subcommand '" + *name + "'");
        about = named.front();
        usage += " " + about->get_name();
      }
      // Asked of the program itself, its help would be that of the chosen
      // subcommand, this one.
      std::printf(
          "%s",
          about->get_formatter()->make_help(about, usage, CLI::AppFormatMode::Normal).c_str());
      return static_cast<int>(kExitOk);
    };
  });
}

void PrintFailure(const std::string& message) {
  std::fprintf(stderr, "ovrabjt: %s\n", message.c_str());
}

}  // namespace ovrabjt::cli

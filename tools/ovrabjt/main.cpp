// ovrabjt - converts job tickets between the packed binary form and ovra
// documents, shows and checks them, and reads capability and media
// preference documents.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "commands.h"
#include "frame/ovra_bjt_app.h"
#include "platform/program_io.h"
#include "releases/release_profile.h"
#include "versions.h"

namespace {

using namespace ovrabjt::cli;

// Where a mistaken command line is explained: the chosen subcommand's own
// help, else the program's.
void PrintUsageHint(const CLI::App& app) {
  if (!app.get_subcommands().empty() && app.get_subcommands().front()->get_name() != "help")
    std::fprintf(stderr, "Run 'ovrabjt %s --help' for its options.\n",
                 app.get_subcommands().front()->get_name().c_str());
  else
    std::fprintf(stderr, "Run 'ovrabjt --help' for the subcommands and their options.\n");
}

// A wrong command line: its message, with the word the parser could not place
// named as an unknown subcommand when no subcommand was chosen.
int UsageFailure(const CLI::App& app, const std::string& message) {
  if (app.get_subcommands().empty() && !app.remaining().empty()) {
    const std::string word = app.remaining().front();
    PrintFailure((word.starts_with('-') ? "unknown option '" : "unknown subcommand '") + word +
                 "'");
  } else
    PrintFailure(message);
  PrintUsageHint(app);
  return kExitUsage;
}

int Main(int argc, char** argv) {
  CLI::App app(
      "Converts job tickets between the packed binary form and ovra documents, shows "
      "and checks them, and reads printer capabilities and media preferences.",
      "ovrabjt");
  // Answered after parsing, so that it names the release chosen with
  // --release wherever that stands.
  bool version = false;
  app.add_flag("-V,--version", version,
               "Print the versions of the tool, the library and the XML library");
  app.require_subcommand(0, 1);
  app.fallthrough();

  GlobalOptions global;
  AddGlobalOptions(app, global);
  Runner chosen;
  AddToXmlCommand(app, global, chosen);
  AddFromXmlCommand(app, global, chosen);
  AddDumpCommand(app, global, chosen);
  AddCheckCommand(app, global, chosen);
  AddValidateCommand(app, global, chosen);
  AddCapsCommand(app, global, chosen);
  AddStocksCommand(app, global, chosen);
  AddMergeCommand(app, global, chosen);
  AddFitCommand(app, global, chosen);
  AddDiffCommand(app, global, chosen);
  AddHelpCommand(app, chosen);
  ShowGlobalOptions(app);

  try {
    // The parser takes the arguments after the program's name, last first.
    const std::vector<std::string> arguments = ovrabjt::ProgramArguments(argc, argv);
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
    app.parse(reversed);
  } catch (const CLI::Success& done) {
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    return UsageFailure(app, error.what());
  }
  if (!global.release.empty()) SetActiveRelease(*ovrabjt::FindRelease(global.release));
  if (version) {
    std::printf("%s", VersionText(ActiveRelease()).c_str());
    return kExitOk;
  }
  if (!chosen) return UsageFailure(app, "A subcommand is required");
  try {
    return chosen();
  } catch (const UsageError& error) {
    return UsageFailure(app, error.what());
  } catch (const RunFailure& error) {
    PrintFailure(error.what());
    return kExitFailed;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ovrabjt::TheApp().InitInstance();
  ovrabjt::UseBinaryStandardStreams();
  int status = kExitFailed;
  try {
    status = Main(argc, argv);
  } catch (const std::bad_alloc&) {
    PrintFailure("out of memory");
  } catch (const std::exception& error) {
    PrintFailure(std::string("unexpected failure: ") + error.what());
  }
  ovrabjt::TheApp().ExitInstance();
  return status;
}

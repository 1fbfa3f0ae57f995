// ovrabjt - converts job tickets between the packed binary form and ovra
// documents, shows and checks them, and reads capability and media
// preference documents.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "commands.h"
#include "frame/ovra_bjt_app.h"
#include "releases/release_profile.h"

namespace {

using namespace ovrabjt::cli;

// The module's file version and the release the tool works in.
std::string VersionText(const ovrabjt::ReleaseProfile& release) {
  const bool latest = &release == &ovrabjt::LatestRelease();
  return "ovrabjt " + std::string(release.file_version) + "\nrelease profile: " +
         std::string(release.file_version) + (latest ? " (the latest release)" : "");
}

// A wrong command line: its message, with the word the parser could not place
// named as an unknown subcommand when no subcommand was chosen.
int UsageFailure(const CLI::App& app, const CLI::ParseError& error) {
  if (app.get_subcommands().empty() && !app.remaining().empty())
    PrintFailure("unknown subcommand '" + app.remaining().front() + "'");
  else
    PrintFailure(error.what());
  std::fprintf(stderr, "Run 'ovrabjt --help' for the subcommands and their options.\n");
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
  app.add_flag("--version", version, "Print the file version and the release profile");
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

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    return UsageFailure(app, error);
  }
  if (!global.release.empty()) SetActiveRelease(*ovrabjt::FindRelease(global.release));
  if (version) {
    std::printf("%s\n", VersionText(ActiveRelease()).c_str());
    return kExitOk;
  }
  if (!chosen) {
    PrintFailure("A subcommand is required");
    std::fprintf(stderr, "Run 'ovrabjt --help' for the subcommands and their options.\n");
    return kExitUsage;
  }
  try {
    return chosen();
  } catch (const UsageError& error) {
    PrintFailure(error.what());
    return kExitUsage;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ovrabjt::TheApp().InitInstance();
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

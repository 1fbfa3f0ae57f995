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

std::string VersionText() {
  const auto& release = ovrabjt::LatestRelease();
  return "ovrabjt " + std::string(release.file_version) +
         "\nrelease profile: " + std::string(release.file_version) + " (the latest release)";
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
  app.set_version_flag("--version", VersionText, "Print the file version and the release profile");
  app.require_subcommand(1);
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

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& done) {
    return app.exit(done);
  } catch (const CLI::ParseError& error) {
    return UsageFailure(app, error);
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

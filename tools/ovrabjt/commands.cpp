#include "commands.h"

#include <cstdio>
#include <string>
#include <vector>

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
                 "Folder holding the release's ovra document type (default: the installed data "
                 "folder, else the source tree's data/)")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory);
}

void PrintFailure(const std::string& message) {
  std::fprintf(stderr, "ovrabjt: %s\n", message.c_str());
}

}  // namespace ovrabjt::cli

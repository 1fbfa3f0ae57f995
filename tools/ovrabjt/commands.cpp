#include "commands.h"

#include <cstdio>

namespace ovrabjt::cli {

void AddGlobalOptions(CLI::App& app, GlobalOptions& options) {
  app.add_option("--dtd-dir", options.dtd_dir,
                 "Folder holding ovra-v02012.dtd (default: the installed data folder, else the "
                 "source tree's data/)")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory);
}

void PrintFailure(const std::string& message) {
  std::fprintf(stderr, "ovrabjt: %s\n", message.c_str());
}

}  // namespace ovrabjt::cli

// What every subcommand of the tool shares: the global options, the exit
// codes and the registration of each subcommand with the argument parser.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <stdexcept>
#include <string>

#include "releases/release_profile.h"

namespace ovrabjt::cli {

// The process's exit codes.
enum ExitCode : int {
  kExitOk = 0,
  kExitFailed = 1,   // a conversion or a validation failed
  kExitUsage = 2,    // the command line is wrong
  kExitTrouble = 2,  // fit and diff: an input could not be read (their 1 is an answer)
};

// Options that hold for every subcommand; they may stand before or after it.
struct GlobalOptions {
  std::string dtd_dir;  // empty: the default folder
  std::string release;  // a file version; empty: the release of the build
};

// The release the tool works in for this run (set once the command line is
// parsed): its document templates, document type and vocabulary.
const ReleaseProfile& ActiveRelease();
void SetActiveRelease(const ReleaseProfile& release);

// A mistake of the command line found while running a subcommand (exit 2).
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A failure that ends the whole run, not one conversion of it (exit 1).
class RunFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The chosen subcommand, ready to run; returns the exit code.
using Runner = std::function<int()>;

// AddGlobalOptions - registers the options of GlobalOptions on the main app.
void AddGlobalOptions(CLI::App& app, GlobalOptions& options);

// ShowGlobalOptions - ends the help of every subcommand of `app` with the
// options of `app` itself, which hold for every subcommand.
void ShowGlobalOptions(CLI::App& app);

// AddHelpCommand - "help [SUBCOMMAND]": the help of the program or of one of
// its subcommands.
void AddHelpCommand(CLI::App& app, Runner& chosen);

// Each Add...Command registers one subcommand on `app`. When the command line
// chooses it, its callback stores in `chosen` the runner that carries it out
// with the parsed options and `global`, which the parse has filled by then.
void AddToXmlCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddFromXmlCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddDumpCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddCheckCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddValidateCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddCapsCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddStocksCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddMergeCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddFitCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);
void AddDiffCommand(CLI::App& app, const GlobalOptions& global, Runner& chosen);

// PrintFailure - one line on standard error, "ovrabjt: <message>".
void PrintFailure(const std::string& message);

}  // namespace ovrabjt::cli

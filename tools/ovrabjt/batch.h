// Converting one input to one output, or several inputs into a folder, for
// the two conversion subcommands.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/status.h"

namespace ovrabjt::cli {

// Converts `input` into `output`.
using Conversion = std::function<Status(const std::string& input, const std::string& output)>;

// The inputs and outputs of a conversion subcommand.
struct ConversionTargets {
  std::vector<std::string> inputs;
  std::string output = "-";  // -o: the one output
  std::string folder;        // -d: the folder of the outputs of a batch
};

// AddConversionTargets - registers the inputs, -o and -d on `command`.
void AddConversionTargets(CLI::App& command, ConversionTargets& targets,
                          std::string_view input_help, std::string_view output_help);

// RunConversions - converts the one input into -o, or, with -d, each input
// into the folder under its own file name with `extension`; there it prints
// one line per failure and a summary. Exit code 0 when all succeeded, 1 when
// any failed. Several inputs without -d is a usage error.
int RunConversions(const ConversionTargets& targets, std::string_view extension,
                   const Conversion& convert);

}  // namespace ovrabjt::cli

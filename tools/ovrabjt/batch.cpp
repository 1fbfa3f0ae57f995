#include "batch.h"

#include <cstdio>
#include <set>

#include "commands.h"
#include "io.h"

namespace ovrabjt::cli {

namespace {

// The outputs of a batch, each input's file name with the new extension;
// two inputs may not land on one output.
std::vector<std::string> BatchOutputs(const ConversionTargets& targets,
                                      std::string_view extension) {
  std::vector<std::string> outputs;
  std::set<std::string> seen;
  for (const std::string& input : targets.inputs) {
    const std::string name = IsStandardStream(input) ? "stdin" + std::string(extension)
                                                     : WithExtension(input, extension);
    if (!seen.insert(name).second)
      throw UsageError("two inputs would both be written to '" + JoinPath(targets.folder, name) +
                       "'");
    outputs.push_back(JoinPath(targets.folder, name));
  }
  return outputs;
}

int RunBatch(const ConversionTargets& targets, std::string_view extension,
             const Conversion& convert) {
  const std::vector<std::string> outputs = BatchOutputs(targets, extension);
  std::size_t failed = 0;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    if (const Status converted = convert(targets.inputs[i], outputs[i]); !converted) {
      PrintFailure(converted.message());
      ++failed;
    }
  }
  std::printf("converted %zu of %zu files into '%s'", outputs.size() - failed, outputs.size(),
              targets.folder.c_str());
  if (failed != 0) std::printf("; %zu could not be converted", failed);
  std::printf("\n");
  return failed == 0 ? kExitOk : kExitFailed;
}

}  // namespace

void AddConversionTargets(CLI::App& command, ConversionTargets& targets,
                          std::string_view input_help, std::string_view output_help) {
  command.add_option("inputs", targets.inputs, std::string(input_help))
      ->required()
      ->type_name("FILE");
  auto* output = command.add_option("-o,--output", targets.output, std::string(output_help))
                     ->type_name("FILE");
  command
      .add_option("-d,--output-dir", targets.folder,
                  "Convert every input into this folder, each under its own name")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory)
      ->excludes(output);
}

int RunConversions(const ConversionTargets& targets, std::string_view extension,
                   const Conversion& convert) {
  if (!targets.folder.empty()) return RunBatch(targets, extension, convert);
  if (targets.inputs.size() > 1)
    throw UsageError("several inputs need -d DIR, the folder to convert them into");
  const Status converted = convert(targets.inputs.front(), targets.output);
  if (converted) return kExitOk;
  PrintFailure(converted.message());
  return kExitFailed;
}

}  // namespace ovrabjt::cli

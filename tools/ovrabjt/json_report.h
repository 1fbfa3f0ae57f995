// Reports for scripts: the --json flag of the subcommands that print one, and
// the text of the object they print.
#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>
#include <string>

namespace ovrabjt::cli {

// AddJsonFlag - registers --json on `command`: the report as one object.
void AddJsonFlag(CLI::App& command, bool& json);

// JsonText - the object indented by two spaces, with a line break after it;
// bytes that are not UTF-8 become U+FFFD rather than failing the report.
std::string JsonText(const nlohmann::ordered_json& report);

}  // namespace ovrabjt::cli

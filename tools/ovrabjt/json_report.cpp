#include "json_report.h"

namespace ovrabjt::cli {

void AddJsonFlag(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "Print one JSON object, for scripts");
}

std::string JsonText(const nlohmann::ordered_json& report) {
  return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

}  // namespace ovrabjt::cli

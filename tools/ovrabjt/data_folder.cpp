#include "data_folder.h"

#include "io.h"

namespace ovrabjt::cli {

namespace {

bool HoldsDtd(std::string_view folder) {
  return IsFile(JoinPath(folder, ActiveRelease().ovra_dtd));
}

}  // namespace

std::string DtdFolder(const GlobalOptions& global) {
  if (!global.dtd_dir.empty()) {
    if (!HoldsDtd(global.dtd_dir))
      throw UsageError("--dtd-dir '" + global.dtd_dir + "' holds no " +
                       std::string(ActiveRelease().ovra_dtd));
    return global.dtd_dir;
  }
  return HoldsDtd(OVRABJT_INSTALLED_DATA_DIR) ? OVRABJT_INSTALLED_DATA_DIR
                                              : OVRABJT_SOURCE_DATA_DIR;
}

std::string OvraBaseName(const GlobalOptions& global, std::string_view path) {
  return JoinPath(DtdFolder(global), IsStandardStream(path) ? "stream.xml" : FileName(path));
}

}  // namespace ovrabjt::cli

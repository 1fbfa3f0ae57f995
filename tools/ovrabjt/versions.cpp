#include "versions.h"

#include <ovrabjt/ovrabjt.h>

#include <xercesc/util/XercesVersion.hpp>

namespace ovrabjt::cli {

std::string VersionText(const ReleaseProfile& release) {
  const std::string interface = std::to_string(OVRABJT_INTERFACE_VERSION);
  const std::string xml = std::to_string(XERCES_VERSION_MAJOR) + "." +
                          std::to_string(XERCES_VERSION_MINOR) + "." +
                          std::to_string(XERCES_VERSION_REVISION);
  const bool latest = &release == &LatestRelease();
  return "ovrabjt " + std::string(release.file_version) +
         "\nlibrary: ovrabjt " OVRABJT_VERSION ", interface " + interface +
         " (" OVRABJT_LIBRARY_FILE ")\nXML library: Xerces-C " + xml +
         "\nrelease profile: " + std::string(release.file_version) +
         (latest ? " (the latest release)" : "") + "\n";
}

}  // namespace ovrabjt::cli

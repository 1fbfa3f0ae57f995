// What `ovrabjt --version` says: the versions of the tool, of the library it
// is built from and of the XML library, and the release it works in.
#pragma once

#include <string>

#include "releases/release_profile.h"

namespace ovrabjt::cli {

// VersionText - four lines: "ovrabjt 3.6.09" (the release the tool works
// in), the release and interface of the library it is built from, the XML
// library's version, and the release profile in use.
std::string VersionText(const ReleaseProfile& release);

}  // namespace ovrabjt::cli

// What differs between releases of the module: templates, vocabulary and the
// capability names. Every place that depends on the release asks a profile.
#pragma once

#include <string_view>

namespace ovrabjt {

struct ReleaseProfile {
  std::string_view file_version;  // "3.6.09"
};

// The newest release, whose vocabulary every other release is described
// against.
const ReleaseProfile& LatestRelease();

}  // namespace ovrabjt

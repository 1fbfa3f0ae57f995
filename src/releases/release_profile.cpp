#include "releases/release_profile.h"

namespace ovrabjt {

const ReleaseProfile& LatestRelease() {
  static constexpr ReleaseProfile kLatest{"3.6.09"};
  return kLatest;
}

}  // namespace ovrabjt

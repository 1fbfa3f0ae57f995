#include "support/time_bound.h"

namespace ovrabjt::test {

bool RunningUnderValgrind() { return false; }

}  // namespace ovrabjt::test

#include <valgrind/valgrind.h>

#include "support/time_bound.h"

namespace ovrabjt::test {

bool RunningUnderValgrind() { return RUNNING_ON_VALGRIND != 0; }

}  // namespace ovrabjt::test

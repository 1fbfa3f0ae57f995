// Helpers shared by the XML tests: an output that collects the text, and the
// folder of the test documents.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <string>

#include "support/text_output.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt::testing {

// The folder holding the test DTDs, with a trailing slash.
inline std::string DataDir() { return std::string(OVRABJT_SOURCE_DIR) + "/tests/xml/data/"; }

// Collects every Write; refuses the Write numbered `refuse_at` (from 1) and
// any after it.
class StringOutput final : public test::TextOutput {
 public:
  explicit StringOutput(bool indent = true, int refuse_at = 0)
      : TextOutput(refuse_at > 0 ? refuse_at - 1 : -1, indent) {}
};

// The code of the OvraParseException that `action` raises, 0 when none.
template <typename Action>
int CodeRaisedBy(Action action) {
  try {
    action();
  } catch (const OvraParseException& error) {
    return static_cast<int>(error.code());
  }
  return 0;
}

}  // namespace ovrabjt::testing

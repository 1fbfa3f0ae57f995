// Helpers shared by the XML tests: an output that collects the text, and the
// folder of the test documents.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <string>

#include "xml/ovra_parse_exception.h"

namespace ovrabjt::testing {

// The folder holding the test DTDs, with a trailing slash.
inline std::string DataDir() { return std::string(OVRABJT_SOURCE_DIR) + "/tests/xml/data/"; }

// Collects every Write; refuses the Write numbered `refuse_at` (from 1).
class StringOutput final : public XmlOutputCallback {
 public:
  explicit StringOutput(bool indent = true, int refuse_at = 0)
      : indent_(indent), refuse_at_(refuse_at) {}

  OvraBool Write(const char* bytes, uint32_t count) override {
    if (++writes == refuse_at_) return 0;
    text.append(bytes, count);
    return 1;
  }
  OvraBool Indent() override { return indent_ ? 1 : 0; }

  std::string text;
  int writes = 0;

 private:
  bool indent_;
  int refuse_at_;
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

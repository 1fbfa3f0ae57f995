#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include "xml/ovra_parse_exception.h"

namespace ovrabjt::fuzz {

const char* OvraBaseName() { return OVRABJT_SOURCE_DIR "/data/ticket.xml"; }

void Check(bool ok, std::string_view what) {
  if (ok) return;
  std::fprintf(stderr, "fuzz check failed: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

void MustSucceed(const std::function<void()>& step, std::string_view what) {
  try {
    step();
  } catch (const OvraParseException& e) {
    std::fprintf(stderr, "fuzz check failed: %.*s (%s)\n", static_cast<int>(what.size()),
                 what.data(), FormatOvraError(e).c_str());
    std::abort();
  }
}

}  // namespace ovrabjt::fuzz

extern "C" {

// Debian's Xerces-C leaks an entity declaration on purpose whenever it loads
// an external DTD, and an input source when one fails to load. Only the XML
// library is named here, never our code.
const char* __lsan_default_suppressions() { return "leak:libxerces-c\n"; }

}  // extern "C"

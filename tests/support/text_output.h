// An output for conversions to text that keeps every byte written to it, for
// tests, measurements and fuzz targets.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <string>

namespace ovrabjt::test {

// Keeps the text. With `accept` at 0 or more it refuses every call after the
// first `accept`; Indent answers `indent`.
class TextOutput : public XmlOutputCallback {
 public:
  explicit TextOutput(int accept = -1, bool indent = true) : accept_(accept), indent_(indent) {}
  OvraBool Write(const char* bytes, std::uint32_t count) override {
    ++calls;
    if (accept_ >= 0 && calls > accept_) return 0;
    text.append(bytes, count);
    return 1;
  }
  OvraBool Indent() override { return indent_ ? 1 : 0; }

  std::string text;
  int calls = 0;

 private:
  int accept_;
  bool indent_;
};

}  // namespace ovrabjt::test

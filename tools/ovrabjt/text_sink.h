// An output that keeps the text the library writes, for the tool's
// conversions into memory.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <string>

namespace ovrabjt::cli {

class TextSink final : public XmlOutputCallback {
 public:
  TextSink(std::string& text, bool indent) : text_(text), indent_(indent) {}
  OvraBool Write(const char* bytes, std::uint32_t count) override {
    text_.append(bytes, count);
    return 1;
  }
  OvraBool Indent() override { return indent_ ? 1 : 0; }

 private:
  std::string& text_;
  bool indent_;
};

}  // namespace ovrabjt::cli

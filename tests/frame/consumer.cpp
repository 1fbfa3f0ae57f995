// A driver written in C++: converts an empty packed ticket to ovra text.
#include <ovrabjt/ovrabjt.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class Output : public XmlOutputCallback {
 public:
  OvraBool Write(const char* bytes, uint32_t count) override {
    text.append(bytes, count);
    return 1;
  }
  std::string text;
};

}  // namespace

int main() {
  std::vector<unsigned char> packed(34368, 0);
  Output out;
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/ticket.xml", packed.data(), &out)) return 1;
  if (out.text.find("<ovra ") == std::string::npos) return 1;
  AttrNodeList* caps = GetPrinterCapInfofromBuffer("<kesp/>", 7);
  if (!caps) return 1;
  int32_t size = -1;
  if (!GetSpecificKespInfo(caps, 1, 8, nullptr, &size) || size != 0) return 1;
  ReleaseOvraBjtANL(caps);
  std::puts("consumer ok");
  return 0;
}

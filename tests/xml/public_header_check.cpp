// The public header must compile as C++11: a driver's C++ may be that old.
#include <ovrabjt/ovrabjt.h>

namespace {

class Output : public XmlOutputCallback {
 public:
  OvraBool Write(const char*, uint32_t) override { return 1; }
};

}  // namespace

OvraBool OvrabjtCxx11HeaderCheck();
OvraBool OvrabjtCxx11HeaderCheck() {
  Output output;
  return output.Indent();
}

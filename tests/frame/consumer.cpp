// A driver written in C++11, built against the installed library through
// find_package(ovrabjt): converts the document JOB both ways with the
// document types in ovrabjt_DTD_DIR.
#include <ovrabjt/ovrabjt.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
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

int Fail(const char* what) {
  std::fprintf(stderr, "c++ consumer: %s\n", what);
  return 1;
}

std::vector<unsigned char> Load(const char* file) {
  void* block = nullptr;
  uint32_t size = 0;
  if (!LoadOvra(file, DTD_DIR "/job.xml", nullptr, &block, &size)) return {};
  std::vector<unsigned char> ticket(size);
  if (!LoadOvra(nullptr, nullptr, ticket.data(), &block, &size)) return {};
  return ticket;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: consumer JOB.xml OUT.xml");
  const std::vector<unsigned char> ticket = Load(argv[1]);
  if (ticket.size() <= OVRABJT_TICKET_SIZE) return Fail("LoadOvra of the document");
  Output out;
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/job.xml", ticket.data(), &out))
    return Fail("ConvertBJTToOvraStream");
  std::ofstream(argv[2], std::ios::binary) << out.text;
  if (Load(argv[2]) != ticket) return Fail("the streamed document does not load back the same");

  std::vector<unsigned char> packed(OVRABJT_TICKET_SIZE, 0);
  Output empty;
  if (!ConvertBJTToOvraStream(u"" DTD_DIR "/ticket.xml", packed.data(), &empty))
    return Fail("empty");
  if (empty.text.find("<ovra ") == std::string::npos) return Fail("no ovra element");
  AttrNodeList* caps = GetPrinterCapInfofromBuffer("<kesp/>", 7);
  if (!caps) return Fail("capabilities");
  int32_t size = -1;
  if (!GetSpecificKespInfo(caps, OVRABJT_CAP_TRC, 8, nullptr, &size) || size != 0)
    return Fail("an absent capability");
  ReleaseOvraBjtANL(caps);
  std::puts("c++ consumer ok");
  return 0;
}

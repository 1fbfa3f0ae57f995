// After the module's unload hook has run, the XML library is stopped for
// good and every conversion fails. The hook runs at exit; an exit handler
// registered before the module is loaded runs after it (handlers run in
// reverse order), and checks that a conversion now fails.
#include <ovrabjt/ovrabjt.h>

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Convert = OvraBool (*)(const char16_t*, const void*, XmlOutputCallback*);
using Caps = AttrNodeList* (*)(const char*, int32_t);
using Release = void (*)(AttrNodeList*);
Convert convert = nullptr;
Caps caps = nullptr;
Release release = nullptr;

class Sink : public XmlOutputCallback {
 public:
  OvraBool Write(const char*, uint32_t) override { return 1; }
};

int Check(const char* when, bool want_success) {
  std::vector<unsigned char> packed(34368, 0);
  Sink sink;
  const bool converted =
      convert(u"" OVRABJT_SOURCE_DIR "/data/ticket.xml", packed.data(), &sink) == 1;
  const char kesp[] =
      "<kesp><trc-supported syntax=\"1setOf\"><value "
      "syntax=\"name\">a</value></trc-supported></kesp>";
  AttrNodeList* list = caps(kesp, sizeof kesp - 1);
  const bool parsed = list != nullptr;
  release(list);
  if (converted != want_success || parsed != want_success) {
    std::fprintf(stderr, "%s: conversion %d, capabilities %d\n", when, converted, parsed);
    return 1;
  }
  return 0;
}

void AfterUnload() { _exit(Check("after the unload hook", false)); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::atexit(AfterUnload);
  void* module = dlopen(argv[1], RTLD_NOW);
  if (!module) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  convert = reinterpret_cast<Convert>(dlsym(module, "ConvertBJTToOvraStream"));
  caps = reinterpret_cast<Caps>(dlsym(module, "GetPrinterCapInfofromBuffer"));
  release = reinterpret_cast<Release>(dlsym(module, "ReleaseOvraBjtANL"));
  if (!convert || !caps || !release) return 2;
  if (Check("while loaded", true)) return 1;
  return 0;  // exit runs the module's unload hook, then AfterUnload
}

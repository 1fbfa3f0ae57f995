// The dynamic loader runs a shared library's static constructors when it
// loads the library and their destructors when it unloads it (dlclose or
// the process's exit): one static object stands for both notifications.
#include "platform/module_entry.h"

namespace {

struct ModuleEntry {
  ModuleEntry() { ovrabjt::ModuleLoaded(ovrabjt::ModuleStart::kNow); }
  ~ModuleEntry() { ovrabjt::ModuleUnloading(); }
};

const ModuleEntry kEntry;

}  // namespace

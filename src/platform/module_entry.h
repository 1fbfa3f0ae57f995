// The module's load and unload as the system tells a loaded library of them.
// Each platform's entry (module_entry_posix.cpp, module_entry_win.cpp) calls
// these; the module's lifecycle defines them. Built into the shared library
// only, never into the static core, so that programs linking the core decide
// themselves when the XML library starts and stops.
#pragma once

#include <cstdint>

namespace ovrabjt {

// When the XML library starts after the module is loaded.
enum class ModuleStart : std::uint8_t {
  kNow,         // from the load notification itself
  kOnFirstUse,  // by the first document that needs it
};

// ModuleLoaded - the module was loaded into a process.
void ModuleLoaded(ModuleStart start);

// ModuleUnloading - the module is unloaded while the process goes on.
void ModuleUnloading();

}  // namespace ovrabjt

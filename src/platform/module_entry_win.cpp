// The system calls a DLL's entry point under the loader lock, where a
// library may not load others, wait for threads or start one: the XML
// library is therefore started by the first document that needs it, not
// here. It is stopped when the DLL is freed (FreeLibrary: the reserved
// argument is null); at the process's exit (non-null) other threads are
// already gone and the system reclaims everything, so nothing is done.
#include <windows.h>

#include "platform/module_entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      ::DisableThreadLibraryCalls(module);
      ovrabjt::ModuleLoaded(ovrabjt::ModuleStart::kOnFirstUse);
      break;
    case DLL_PROCESS_DETACH:
      if (reserved == nullptr) ovrabjt::ModuleUnloading();
      break;
    default:
      break;
  }
  return TRUE;
}

// Stands in for the application framework of the driver's platform: when the
// shared library is loaded its start hook runs, when it is unloaded its stop
// hook runs. Built into the shared library only, never into the static core,
// so that programs linking the core decide themselves when the XML library
// starts and stops.
#include "frame/ovra_bjt_app.h"

namespace {

struct ModuleLifetime {
  ModuleLifetime() { ovrabjt::TheApp().InitInstance(); }
  ~ModuleLifetime() { ovrabjt::TheApp().ExitInstance(); }
};

const ModuleLifetime kModule;

}  // namespace

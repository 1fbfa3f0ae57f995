// Stands in for the driver platform's load and unload notifications. From
// release "3.1.07" on they reach the application framework, whose start and
// stop hooks belong to the application object; release "3.0.15" starts and
// stops the XML library from the notifications themselves. Built into the
// shared library only, never into the static core, so that programs linking
// the core decide themselves when the XML library starts and stops.
#include "frame/ovra_bjt_app.h"
#include "releases/release_profile.h"
#include "xml/ovra_parse_exception.h"
#include "xml/xml_platform.h"

namespace {

void ProcessAttach() {
  try {
    ovrabjt::EnsureXmlPlatform();
  } catch (const ovrabjt::OvraParseException&) {
  }
}

void ProcessDetach() {
  try {
    ovrabjt::ReleaseXmlPlatform();
  } catch (const ovrabjt::OvraParseException&) {
  }
}

struct ModuleLifetime {
  ModuleLifetime() {
    if (ovrabjt::BuildRelease().application_object)
      ovrabjt::TheApp().InitInstance();
    else
      ProcessAttach();
  }
  ~ModuleLifetime() {
    if (ovrabjt::BuildRelease().application_object)
      ovrabjt::TheApp().ExitInstance();
    else
      ProcessDetach();
  }
};

const ModuleLifetime kModule;

}  // namespace

// The module's start and stop, as the platform's entry reports its load and
// unload. From release "3.1.07" on they reach the application framework,
// whose start and stop hooks belong to the application object; release
// "3.0.15" starts and stops the XML library from the notifications
// themselves.
#include "frame/ovra_bjt_app.h"
#include "platform/module_entry.h"
#include "releases/release_profile.h"
#include "xml/ovra_parse_exception.h"
#include "xml/xml_platform.h"

namespace ovrabjt {
namespace {

void ProcessAttach() {
  try {
    EnsureXmlPlatform();
  } catch (const OvraParseException&) {
  }
}

void ProcessDetach() {
  try {
    ReleaseXmlPlatform();
  } catch (const OvraParseException&) {
  }
}

}  // namespace

// A start left to first use needs nothing here: every document starts the
// library unless it runs (once, under the lifecycle's lock).
void ModuleLoaded(ModuleStart start) {
  if (start == ModuleStart::kOnFirstUse) return;
  if (BuildRelease().application_object)
    TheApp().InitInstance();
  else
    ProcessAttach();
}

// A library never started has nothing to stop: the stop's complaint about
// it is swallowed as every other.
void ModuleUnloading() {
  if (BuildRelease().application_object)
    TheApp().ExitInstance();
  else
    ProcessDetach();
}

}  // namespace ovrabjt

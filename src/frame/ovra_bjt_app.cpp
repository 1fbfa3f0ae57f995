#include "frame/ovra_bjt_app.h"

#include "xml/ovra_parse_exception.h"
#include "xml/xml_platform.h"

namespace ovrabjt {

bool COvraBjt::InitInstance() {
  try {
    EnsureXmlPlatform();
  } catch (const OvraParseException&) {
    // The module still loads; documents retry the start.
  }
  return true;
}

int COvraBjt::ExitInstance() {
  try {
    ReleaseXmlPlatform();
  } catch (const OvraParseException&) {
  }
  return 0;
}

COvraBjt& TheApp() {
  static COvraBjt app;
  return app;
}

}  // namespace ovrabjt

#include "xml/xml_platform.h"

#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "xml/ovra_parse_exception.h"

namespace ovrabjt {
namespace {

// The module's only process-wide state, kept together so that making it safe
// for concurrent use stays a change to this file alone.
struct XmlPlatformState {
  bool terminated = false;
  bool initialised = false;
};

constinit XmlPlatformState g_platform;

void InitialiseXerces() { xercesc::XMLPlatformUtils::Initialize(); }
void TerminateXerces() { xercesc::XMLPlatformUtils::Terminate(); }

constexpr XmlLibraryCalls kXercesCalls = {&InitialiseXerces, &TerminateXerces};

// Runs one library call; a library exception becomes `code`.
void RunLibraryCall(void (*call)(), OvraErrorCode code) {
  try {
    call();
  } catch (const xercesc::XMLException&) {
    throw OvraParseException(code);
  } catch (const xercesc::OutOfMemoryException&) {
    throw OvraParseException(code);
  }
}

}  // namespace

const XmlLibraryCalls& XercesLibraryCalls() { return kXercesCalls; }

void EnsureXmlPlatform(const XmlLibraryCalls& calls) {
  if (g_platform.terminated) throw OvraParseException(OvraErrorCode::kPlatformTerminated);
  if (g_platform.initialised) return;
  RunLibraryCall(calls.initialise, OvraErrorCode::kPlatformInitFailed);
  g_platform.initialised = true;
}

void ReleaseXmlPlatform(const XmlLibraryCalls& calls) {
  if (g_platform.terminated) throw OvraParseException(OvraErrorCode::kTerminateTwice);
  if (!g_platform.initialised) throw OvraParseException(OvraErrorCode::kTerminateWithoutInit);
  RunLibraryCall(calls.terminate, OvraErrorCode::kPlatformTerminateFailed);
  g_platform.terminated = true;
  g_platform.initialised = false;
}

bool XmlPlatformInitialised() { return g_platform.initialised; }
bool XmlPlatformTerminated() { return g_platform.terminated; }

}  // namespace ovrabjt

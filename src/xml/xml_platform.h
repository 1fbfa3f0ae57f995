// The XML library's process-wide life: started once (at module load, and
// again by any document if that failed), stopped once at unload. Stopping is
// final: the library cannot be started again in the same process.
#pragma once

namespace ovrabjt {

// The two library calls the lifecycle makes. The module always uses
// XercesLibraryCalls(); tests pass calls that fail.
struct XmlLibraryCalls {
  void (*initialise)();
  void (*terminate)();
};

// XercesLibraryCalls - the calls that start and stop Xerces-C.
const XmlLibraryCalls& XercesLibraryCalls();

// EnsureXmlPlatform - starts the library unless it runs already. Raises code
// 20 after termination, code 23 when starting raises a library exception
// (the library then counts as not started, so a later call tries again).
void EnsureXmlPlatform(const XmlLibraryCalls& calls = XercesLibraryCalls());

// ReleaseXmlPlatform - stops the library for good. Raises code 22 when it was
// stopped already, code 21 when it was never started, code 24 when stopping
// raises a library exception (the library then counts as still running).
void ReleaseXmlPlatform(const XmlLibraryCalls& calls = XercesLibraryCalls());

// Whether the library runs now, and whether it was stopped for good.
bool XmlPlatformInitialised();
bool XmlPlatformTerminated();

}  // namespace ovrabjt

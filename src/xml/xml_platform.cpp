#include "xml/xml_platform.h"

#include <atomic>
#include <mutex>

#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "xml/grammar_cache.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {
namespace {

// The module's only process-wide state. Documents are made from several
// threads at once: the flags are atomic, so that the common case (running)
// costs one load, and starting or stopping the library is serialised by the
// mutex, so that it happens once.
struct XmlPlatformState {
  std::atomic<bool> terminated{false};
  std::atomic<bool> initialised{false};
  std::mutex change;
};

// Made on first use, whichever static object of the module asks first: not
// every thread library can make a mutex at compile time.
XmlPlatformState& Platform() {
  static XmlPlatformState state;
  return state;
}

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

// Whether the library runs now; raises code 20 once it was stopped for good.
bool RunsOrRaise() {
  if (Platform().terminated.load(std::memory_order_acquire)) {
    throw OvraParseException(OvraErrorCode::kPlatformTerminated);
  }
  return Platform().initialised.load(std::memory_order_acquire);
}

}  // namespace

const XmlLibraryCalls& XercesLibraryCalls() { return kXercesCalls; }

void EnsureXmlPlatform(const XmlLibraryCalls& calls) {
  if (RunsOrRaise()) return;
  const std::lock_guard<std::mutex> lock(Platform().change);
  if (RunsOrRaise()) return;  // another thread started it meanwhile
  RunLibraryCall(calls.initialise, OvraErrorCode::kPlatformInitFailed);
  Platform().initialised.store(true, std::memory_order_release);
}

void ReleaseXmlPlatform(const XmlLibraryCalls& calls) {
  const std::lock_guard<std::mutex> lock(Platform().change);
  if (Platform().terminated.load()) throw OvraParseException(OvraErrorCode::kTerminateTwice);
  if (!Platform().initialised.load()) {
    throw OvraParseException(OvraErrorCode::kTerminateWithoutInit);
  }
  // Nothing the library made may outlive it: the shared grammars go first.
  GrammarCache::Process().Clear();
  RunLibraryCall(calls.terminate, OvraErrorCode::kPlatformTerminateFailed);
  Platform().terminated.store(true, std::memory_order_release);
  Platform().initialised.store(false, std::memory_order_release);
}

bool XmlPlatformInitialised() { return Platform().initialised.load(std::memory_order_acquire); }
bool XmlPlatformTerminated() { return Platform().terminated.load(std::memory_order_acquire); }

}  // namespace ovrabjt

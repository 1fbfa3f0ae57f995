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

// Whether the library runs now; raises code 20 once it was stopped for good.
bool RunsOrRaise() {
  if (g_platform.terminated.load(std::memory_order_acquire)) {
    throw OvraParseException(OvraErrorCode::kPlatformTerminated);
  }
  return g_platform.initialised.load(std::memory_order_acquire);
}

}  // namespace

const XmlLibraryCalls& XercesLibraryCalls() { return kXercesCalls; }

void EnsureXmlPlatform(const XmlLibraryCalls& calls) {
  if (RunsOrRaise()) return;
  const std::lock_guard<std::mutex> lock(g_platform.change);
  if (RunsOrRaise()) return;  // another thread started it meanwhile
  RunLibraryCall(calls.initialise, OvraErrorCode::kPlatformInitFailed);
  g_platform.initialised.store(true, std::memory_order_release);
}

void ReleaseXmlPlatform(const XmlLibraryCalls& calls) {
  const std::lock_guard<std::mutex> lock(g_platform.change);
  if (g_platform.terminated.load()) throw OvraParseException(OvraErrorCode::kTerminateTwice);
  if (!g_platform.initialised.load()) {
    throw OvraParseException(OvraErrorCode::kTerminateWithoutInit);
  }
  // Nothing the library made may outlive it: the shared grammars go first.
  GrammarCache::Process().Clear();
  RunLibraryCall(calls.terminate, OvraErrorCode::kPlatformTerminateFailed);
  g_platform.terminated.store(true, std::memory_order_release);
  g_platform.initialised.store(false, std::memory_order_release);
}

bool XmlPlatformInitialised() { return g_platform.initialised.load(std::memory_order_acquire); }
bool XmlPlatformTerminated() { return g_platform.terminated.load(std::memory_order_acquire); }

}  // namespace ovrabjt

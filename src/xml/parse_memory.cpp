#include "xml/parse_memory.h"

#include <cstdlib>
#include <xercesc/internal/XMLReader.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

namespace ovrabjt {
namespace {

// The request the library makes for an entity's reader: the object with the
// header of its placement new (XMemory), which holds the memory manager.
const XMLSize_t kReaderRequest =
    xercesc::XMLPlatformUtils::alignPointerForNewBlockAllocation(sizeof(xercesc::MemoryManager*)) +
    sizeof(xercesc::XMLReader);

}  // namespace

ParseMemory::~ParseMemory() {
  while (newest_ != nullptr) {
    Links* older = newest_->previous;
    std::free(newest_);
    newest_ = older;
  }
}

void* ParseMemory::allocate(XMLSize_t size) {
  if (size == kReaderRequest && watcher_ != nullptr) watcher_->ReaderOpened();
  auto* links = static_cast<Links*>(std::malloc(sizeof(Links) + size));
  if (links == nullptr) throw xercesc::OutOfMemoryException();
  links->previous = newest_;
  links->next = nullptr;
  if (newest_ != nullptr) newest_->next = links;
  newest_ = links;
  ++held_;
  return links + 1;
}

void ParseMemory::deallocate(void* block) {
  if (block == nullptr) return;
  Links* links = static_cast<Links*>(block) - 1;
  if (links->next != nullptr)
    links->next->previous = links->previous;
  else
    newest_ = links->previous;
  if (links->previous != nullptr) links->previous->next = links->next;
  --held_;
  std::free(links);
}

xercesc::MemoryManager* ParseMemory::getExceptionMemoryManager() {
  return xercesc::XMLPlatformUtils::fgMemoryManager;
}

}  // namespace ovrabjt

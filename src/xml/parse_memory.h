// The memory of one parser: every block the XML library takes for a parse
// comes from here, and what it has not given back when the parser goes is
// given back then. The library leaks on some failure paths (and, in Debian's
// build, the entity of each external DTD it loads, on purpose); nothing of
// that outlives the parser.
//
// The library also takes one block of a fixed size for every entity it
// reads, general or parameter, internal or external: the only place where
// every expansion shows, since it calls no handler when it expands a
// parameter entity. A watcher hears of each.
#pragma once

#include <cstddef>
#include <xercesc/framework/MemoryManager.hpp>

namespace ovrabjt {

class ParseMemory final : public xercesc::MemoryManager {
 public:
  // Told of each entity the library opens; may raise to stop the parse.
  class ReaderWatcher {
   public:
    virtual void ReaderOpened() = 0;

   protected:
    ~ReaderWatcher() = default;
  };

  ParseMemory() = default;
  ParseMemory(const ParseMemory&) = delete;
  ParseMemory& operator=(const ParseMemory&) = delete;
  // Gives back every block still held.
  ~ParseMemory() override;

  void SetWatcher(ReaderWatcher* watcher) { watcher_ = watcher; }

  // Raises the library's OutOfMemoryException when the system has no memory.
  void* allocate(XMLSize_t size) override;
  void deallocate(void* block) override;
  // Exceptions outlive a parse; they use the library's own memory.
  xercesc::MemoryManager* getExceptionMemoryManager() override;

  // The blocks held now.
  std::size_t BlocksHeld() const { return held_; }

 private:
  // Each block is preceded by its links, which keep the alignment of the
  // system's blocks.
  struct alignas(16) Links {
    Links* previous;
    Links* next;
  };

  Links* newest_ = nullptr;
  std::size_t held_ = 0;
  ReaderWatcher* watcher_ = nullptr;
};

}  // namespace ovrabjt

// The document types of the process, each parsed once and shared.
//
// A validated parse would otherwise read its 20 KB document type again on
// every call, nearly all of the work for the tickets drivers convert all day.
// Each grammar is parsed from its file once into a pool of the XML library,
// which is then locked: read-only, it is shared by the parsers of every
// thread. A grammar is known by the file it was read from and that file's
// identity (device, inode, size and modification time to the nanosecond), so
// a document type edited or replaced on disk is parsed afresh, and two
// folders holding different files of the same name never share one. A parse
// gives the same results with the cache as without it: a document type that
// fails to parse is not kept, and the document's own parse then reads it as
// it would without a cache.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <xercesc/framework/XMLGrammarPool.hpp>

#include "platform/file_identity.h"
#include "xml/document_reach.h"

namespace ovrabjt {

class BoundedDomParser;

// A grammar parsed once: a locked pool that holds only it, and the parsers
// over it that are idle between parses. Making a parser of the library costs
// as much as parsing a small ticket, so a parser is kept for the next parse
// of any thread; one that parsed a template may keep that template's
// document, which a write only reads.
class CachedGrammar {
 public:
  // Idle parsers kept at once: one per thread converting at the same time.
  static constexpr std::size_t kIdleParsers = 4;

  CachedGrammar(std::string path, FileIdentity identity,
                std::unique_ptr<xercesc::XMLGrammarPool> pool);
  ~CachedGrammar();

  const std::string& Path() const { return path_; }

  // TakeParser - a parser over this grammar for a document of `reach`, for
  // the caller alone until it gives it back: an idle one, preferably one
  // whose document is already that of `text` (then `parsed` is true and the
  // document is to be read only), else a new one.
  std::unique_ptr<BoundedDomParser> TakeParser(const DocumentReach& reach, std::string_view text,
                                               bool& parsed) const;

  // GiveBack - keeps `parser`, whose last parse succeeded, for the next
  // parse; with `parsed_text`, the text whose document it still holds, left
  // unchanged since. A parser that holds more memory than at rest, or one
  // too many, is destroyed instead.
  void GiveBack(std::unique_ptr<BoundedDomParser> parser, std::string parsed_text) const noexcept;

  // The idle parsers held now.
  std::size_t IdleParsers() const;

 private:
  friend class GrammarCache;
  struct IdleParser {
    std::unique_ptr<BoundedDomParser> parser;
    std::string parsed_text;  // empty: it holds no document
  };

  std::string path_;
  FileIdentity identity_;
  std::unique_ptr<xercesc::XMLGrammarPool> pool_;
  mutable std::uint64_t last_use_ = 0;  // under the cache's index lock
  // The parsers use the pool and go before it.
  mutable std::mutex idle_lock_;
  mutable std::vector<IdleParser> idle_;  // capacity kIdleParsers, reserved
};

class GrammarCache {
 public:
  // Grammars kept at once: every release's document type and some folders.
  static constexpr std::size_t kCapacity = 8;

  // Process - the cache of the process.
  static GrammarCache& Process();

  // Find - the grammar of the document type `system_id` that a document of
  // `reach` names, parsed now if it was not already; null when there is
  // none to share (the reach refuses it, the file is missing or does not
  // parse, or the cache is off), and the document's parse reads it itself.
  // The grammar stays valid while the pointer is held. Starts the XML
  // library if needed (code 20 after its termination).
  std::shared_ptr<const CachedGrammar> Find(const DocumentReach& reach,
                                            std::u16string_view system_id);

  // Clear - forgets every grammar; the XML library is stopped only after.
  void Clear();

  // Whether documents share grammars (on by default). Off, every parse
  // reads its document type itself, as before the cache.
  void SetEnabled(bool enabled) { enabled_.store(enabled, std::memory_order_relaxed); }

  // The grammars held now.
  std::size_t Size() const;

 private:
  std::shared_ptr<const CachedGrammar> Lookup(const std::string& path,
                                              const FileIdentity& identity) const;
  std::shared_ptr<const CachedGrammar> Load(const DocumentReach& reach, const std::string& path,
                                            const FileIdentity& identity);
  void Keep(std::shared_ptr<const CachedGrammar> grammar);

  // The index is consulted and changed under a short lock, a copy of a
  // pointer; the grammars themselves are read without one.
  mutable std::mutex index_;
  std::shared_ptr<const CachedGrammar> slots_[kCapacity];
  mutable std::uint64_t clock_ = 0;  // orders the uses
  std::atomic<bool> enabled_{true};
  std::mutex fill_;  // one grammar is parsed at a time
};

// NamedDocumentType - the system identifier that the DOCTYPE at the start of
// `text` names, when it can be seen without parsing (ASCII-compatible text,
// a plain prolog); empty otherwise. Only a hint: the parse decides.
std::optional<std::u16string> NamedDocumentType(std::string_view text);

}  // namespace ovrabjt

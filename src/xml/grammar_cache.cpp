#include "xml/grammar_cache.h"

#include <utility>
#include <xercesc/framework/XMLGrammarPoolImpl.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/validators/DTD/DTDGrammar.hpp>

#include "platform/code_page.h"
#include "xml/bounded_dom_parser.h"
#include "xml/dom_tree_error_reporter.h"
#include "xml/xml_platform.h"

namespace ovrabjt {
namespace {

// The library fills some parts of a grammar on first use (content models,
// their text for messages, attribute lists); a shared grammar has them
// filled before any parser reads it, so that no parse writes to it.
void FillLazyParts(xercesc::XMLGrammarPool& pool) {
  xercesc::RefHashTableOfEnumerator<xercesc::Grammar> grammars = pool.getGrammarEnumerator();
  while (grammars.hasMoreElements()) {
    xercesc::Grammar& grammar = grammars.nextElement();
    if (grammar.getGrammarType() != xercesc::Grammar::DTDGrammarType) continue;
    xercesc::NameIdPoolEnumerator<xercesc::DTDElementDecl> elements =
        static_cast<xercesc::DTDGrammar&>(grammar).getElemEnumerator();
    while (elements.hasMoreElements()) {
      xercesc::DTDElementDecl& element = elements.nextElement();
      const auto model = element.getModelType();
      if (model == xercesc::DTDElementDecl::Mixed_Simple ||
          model == xercesc::DTDElementDecl::Children)
        element.getContentModel();
      element.getFormattedContentModel();
      element.getAttDefList();
    }
  }
}

// Parses the document type at `path` into a new pool, with the bounds and
// the reach of the document that names it; null when it does not parse.
std::unique_ptr<xercesc::XMLGrammarPool> ParseGrammar(const DocumentReach& reach,
                                                      const std::string& path) {
  auto pool =
      std::make_unique<xercesc::XMLGrammarPoolImpl>(xercesc::XMLPlatformUtils::fgMemoryManager);
  DOMTreeErrorReporter reporter;
  {
    BoundedDomParser loader(reach, pool.get());
    loader.setErrorHandler(&reporter);
    loader.setValidationScheme(xercesc::XercesDOMParser::Val_Always);
    loader.setDoNamespaces(false);
    loader.setDisableDefaultEntityResolution(true);
    loader.BeginParse();
    const std::unique_ptr<xercesc::InputSource> source(loader.OpenFile(path));
    if (loader.loadGrammar(*source, xercesc::Grammar::DTDGrammarType, true) == nullptr)
      return nullptr;
  }
  if (reporter.SawError() || reporter.SawFatalError()) return nullptr;
  FillLazyParts(*pool);
  pool->lockPool();
  return pool;
}

}  // namespace

CachedGrammar::CachedGrammar(std::string path, FileIdentity identity,
                             std::unique_ptr<xercesc::XMLGrammarPool> pool)
    : path_(std::move(path)), identity_(identity), pool_(std::move(pool)) {
  idle_.reserve(kIdleParsers);
}

CachedGrammar::~CachedGrammar() = default;

std::unique_ptr<BoundedDomParser> CachedGrammar::TakeParser(const DocumentReach& reach,
                                                            std::string_view text,
                                                            bool& parsed) const {
  parsed = false;
  std::unique_ptr<BoundedDomParser> parser;
  bool holds_document = false;
  {
    const std::lock_guard<std::mutex> lock(idle_lock_);
    auto chosen = idle_.end();
    for (auto it = idle_.begin(); it != idle_.end(); ++it) {
      if (!text.empty() && it->parsed_text == text) {
        chosen = it;
        parsed = true;
        break;
      }
      if (chosen == idle_.end() || (it->parsed_text.empty() && !chosen->parsed_text.empty()))
        chosen = it;
    }
    if (chosen != idle_.end()) {
      parser = std::move(chosen->parser);
      holds_document = !chosen->parsed_text.empty();
      idle_.erase(chosen);
    }
  }
  // A document that is not the one asked for goes before the next parse.
  if (parser && holds_document && !parsed && !parser->Rest()) parser.reset();
  if (!parser) return std::make_unique<BoundedDomParser>(reach, pool_.get());
  parser->Rebind(reach);
  return parser;
}

// A parser that holds another template's document makes room for this one:
// the documents a process converts come from one template or two.
void CachedGrammar::GiveBack(std::unique_ptr<BoundedDomParser> parser,
                             std::string parsed_text) const noexcept {
  try {
    if (parsed_text.empty() && !parser->Rest()) return;
    parser->setErrorHandler(nullptr);
    std::unique_ptr<BoundedDomParser> dropped;  // destroyed outside the lock
    const std::lock_guard<std::mutex> lock(idle_lock_);
    if (idle_.size() == kIdleParsers) {
      dropped = std::move(idle_.front().parser);
      idle_.erase(idle_.begin());
    }
    idle_.push_back({std::move(parser), std::move(parsed_text)});
  } catch (...) {
    // Destroyed: nothing is kept that could not be kept whole.
  }
}

std::size_t CachedGrammar::IdleParsers() const {
  const std::lock_guard<std::mutex> lock(idle_lock_);
  return idle_.size();
}

// Never destroyed: the module's unload hook empties it after the process's
// own static objects are gone.
GrammarCache& GrammarCache::Process() {
  static GrammarCache& cache = *new GrammarCache;
  return cache;
}

std::shared_ptr<const CachedGrammar> GrammarCache::Find(const DocumentReach& reach,
                                                        std::u16string_view system_id) {
  if (!enabled_.load(std::memory_order_relaxed)) return nullptr;
  EnsureXmlPlatform();
  // A bare name beside the document, the usual case, takes one look at the
  // file: a regular file there is inside the folder and names its identity.
  std::optional<std::string> path = reach.FileBeside(system_id);
  std::optional<FileIdentity> identity;
  if (path) identity = LinkIdentityOf(*path);
  if (!identity) {
    path = reach.Resolve(system_id, Utf8ToUtf16(reach.Name())).path;
    if (!path) return nullptr;
    identity = IdentityOf(*path);
    if (!identity) return nullptr;
  }
  if (std::shared_ptr<const CachedGrammar> grammar = Lookup(*path, *identity)) return grammar;
  const std::lock_guard<std::mutex> lock(fill_);
  if (std::shared_ptr<const CachedGrammar> grammar = Lookup(*path, *identity)) return grammar;
  return Load(reach, *path, *identity);
}

std::shared_ptr<const CachedGrammar> GrammarCache::Lookup(const std::string& path,
                                                          const FileIdentity& identity) const {
  const std::lock_guard<std::mutex> lock(index_);
  for (const std::shared_ptr<const CachedGrammar>& grammar : slots_) {
    if (grammar && grammar->identity_ == identity && grammar->path_ == path) {
      grammar->last_use_ = ++clock_;
      return grammar;
    }
  }
  return nullptr;
}

// A file that changed while it was parsed gives no grammar to keep.
std::shared_ptr<const CachedGrammar> GrammarCache::Load(const DocumentReach& reach,
                                                        const std::string& path,
                                                        const FileIdentity& identity) {
  std::unique_ptr<xercesc::XMLGrammarPool> pool;
  try {
    pool = ParseGrammar(reach, path);
  } catch (const xercesc::XMLException&) {
    return nullptr;
  } catch (const xercesc::OutOfMemoryException&) {
    return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (!pool || IdentityOf(path) != identity) return nullptr;
  auto grammar = std::make_shared<const CachedGrammar>(path, identity, std::move(pool));
  Keep(grammar);
  return grammar;
}

// Into an empty slot, else the one holding an older version of the same
// file, else the one used least recently.
void GrammarCache::Keep(std::shared_ptr<const CachedGrammar> grammar) {
  const std::lock_guard<std::mutex> lock(index_);
  grammar->last_use_ = ++clock_;
  std::shared_ptr<const CachedGrammar>* target = nullptr;
  for (std::shared_ptr<const CachedGrammar>& slot : slots_) {
    if (!slot || slot->path_ == grammar->path_) {
      target = &slot;
      break;
    }
    if (target == nullptr || slot->last_use_ < (*target)->last_use_) target = &slot;
  }
  *target = std::move(grammar);
}

// The grammars go outside the lock: a parser may still hold one.
void GrammarCache::Clear() {
  std::shared_ptr<const CachedGrammar> dropped[kCapacity];
  const std::lock_guard<std::mutex> fill(fill_);
  const std::lock_guard<std::mutex> lock(index_);
  for (std::size_t i = 0; i < kCapacity; ++i) dropped[i] = std::move(slots_[i]);
}

std::size_t GrammarCache::Size() const {
  const std::lock_guard<std::mutex> lock(index_);
  std::size_t held = 0;
  for (const std::shared_ptr<const CachedGrammar>& slot : slots_)
    if (slot) ++held;
  return held;
}

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Skips the part of `text` from `at` that ends with `end`; false when it
// does not end.
bool SkipPast(std::string_view text, std::size_t& at, std::string_view end) {
  const std::size_t found = text.find(end, at);
  if (found == std::string_view::npos) return false;
  at = found + end.size();
  return true;
}

bool SkipSpaces(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at > start;
}

std::optional<std::string_view> Literal(std::string_view text, std::size_t& at) {
  if (at >= text.size() || (text[at] != '"' && text[at] != '\'')) return std::nullopt;
  const std::size_t end = text.find(text[at], at + 1);
  if (end == std::string_view::npos) return std::nullopt;
  const std::string_view literal = text.substr(at + 1, end - at - 1);
  at = end + 1;
  return literal;
}

}  // namespace

std::optional<std::u16string> NamedDocumentType(std::string_view text) {
  std::size_t at = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (true) {
    SkipSpaces(text, at);
    const std::string_view rest = text.substr(at);
    if (rest.substr(0, 4) == "<!--") {
      if (!SkipPast(text, at, "-->")) return std::nullopt;
    } else if (rest.substr(0, 2) == "<?") {
      if (!SkipPast(text, at, "?>")) return std::nullopt;
    } else if (rest.substr(0, 9) == "<!DOCTYPE") {
      break;
    } else {
      return std::nullopt;
    }
  }
  at += 9;
  if (!SkipSpaces(text, at)) return std::nullopt;
  while (at < text.size() && !IsSpace(text[at]) && text[at] != '>' && text[at] != '[') ++at;
  if (!SkipSpaces(text, at)) return std::nullopt;
  const std::string_view keyword = text.substr(at, 6);
  at += 6;
  if (keyword == "PUBLIC") {
    if (!SkipSpaces(text, at) || !Literal(text, at)) return std::nullopt;
  } else if (keyword != "SYSTEM") {
    return std::nullopt;
  }
  if (!SkipSpaces(text, at)) return std::nullopt;
  const std::optional<std::string_view> system_id = Literal(text, at);
  if (!system_id) return std::nullopt;
  std::u16string wide;
  for (const char c : *system_id) {
    if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;  // left to the parse
    wide.push_back(static_cast<char16_t>(c));
  }
  return wide;
}

}  // namespace ovrabjt

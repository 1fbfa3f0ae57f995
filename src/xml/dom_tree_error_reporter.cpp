#include "xml/dom_tree_error_reporter.h"

#include <new>
#include <string_view>
#include <utility>
#include <xercesc/sax/SAXParseException.hpp>

#include "platform/code_page.h"

namespace ovrabjt {
namespace {

std::string Utf8Of(const XMLCh* text) {
  return text == nullptr ? std::string() : Utf16ToUtf8(std::u16string_view(text));
}

}  // namespace

void DOMTreeErrorReporter::warning(const xercesc::SAXParseException& problem) {
  warning_seen_ = true;
  Record(XmlMessage::Kind::kWarning, problem);
}

void DOMTreeErrorReporter::error(const xercesc::SAXParseException& problem) {
  error_seen_ = true;
  Record(XmlMessage::Kind::kError, problem);
}

void DOMTreeErrorReporter::fatalError(const xercesc::SAXParseException& problem) {
  fatal_error_seen_ = true;
  Record(XmlMessage::Kind::kFatalError, problem);
}

void DOMTreeErrorReporter::resetErrors() {
  warning_seen_ = error_seen_ = fatal_error_seen_ = false;
  messages_.clear();
  dropped_ = 0;
}

void DOMTreeErrorReporter::RecordLibraryException(const XMLCh* text) noexcept {
  try {
    Keep({XmlMessage::Kind::kLibraryException, {}, 0, 0, Utf8Of(text)});
  } catch (const std::bad_alloc&) {
    ++dropped_;
  }
}

// Keeping a message is a diagnostic only: running out of memory for it must
// not change the parse, so it counts the message as dropped instead.
void DOMTreeErrorReporter::Record(XmlMessage::Kind kind,
                                  const xercesc::SAXParseException& problem) noexcept {
  try {
    Keep({kind, Utf8Of(problem.getSystemId()), problem.getLineNumber(), problem.getColumnNumber(),
          Utf8Of(problem.getMessage())});
  } catch (const std::bad_alloc&) {
    ++dropped_;
  }
}

void DOMTreeErrorReporter::Keep(XmlMessage message) noexcept {
  if (messages_.size() >= kMaxMessages) {
    ++dropped_;
    return;
  }
  try {
    messages_.push_back(std::move(message));
  } catch (const std::bad_alloc&) {
    ++dropped_;
  }
}

}  // namespace ovrabjt

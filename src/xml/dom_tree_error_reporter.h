// The parser's error handler: it records that warnings, errors and fatal
// errors happened, which decides a parse's outcome, and keeps the library's
// messages for diagnostics (the exports never pass them on).
#pragma once

#include <cstdint>
#include <string>
#include <vector>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/util/XercesDefs.hpp>

namespace ovrabjt {

// One message of the XML library, in UTF-8.
struct XmlMessage {
  enum class Kind : std::uint8_t { kWarning, kError, kFatalError, kLibraryException };
  Kind kind;
  std::string system_id;  // the entity it is about; empty for a library exception
  std::uint64_t line;     // from 1; 0 when unknown
  std::uint64_t column;   // from 1; 0 when unknown
  std::string text;
};

class DOMTreeErrorReporter : public xercesc::ErrorHandler {
 public:
  // At most this many messages are kept per parse; later ones are counted.
  static constexpr std::size_t kMaxMessages = 64;

  DOMTreeErrorReporter() = default;
  DOMTreeErrorReporter(const DOMTreeErrorReporter&) = delete;
  DOMTreeErrorReporter& operator=(const DOMTreeErrorReporter&) = delete;
  ~DOMTreeErrorReporter() override = default;

  // Each sets its flag and keeps the message.
  void warning(const xercesc::SAXParseException& problem) override;
  void error(const xercesc::SAXParseException& problem) override;
  void fatalError(const xercesc::SAXParseException& problem) override;
  // Clears the three flags and the messages.
  void resetErrors() override;

  // Keeps the message of a library exception raised outside the handler.
  void RecordLibraryException(const XMLCh* text) noexcept;

  bool SawWarning() const { return warning_seen_; }
  bool SawError() const { return error_seen_; }
  bool SawFatalError() const { return fatal_error_seen_; }
  const std::vector<XmlMessage>& Messages() const { return messages_; }
  std::size_t DroppedMessages() const { return dropped_; }

 private:
  void Record(XmlMessage::Kind kind, const xercesc::SAXParseException& problem) noexcept;
  void Keep(XmlMessage message) noexcept;

  bool warning_seen_ = false;
  bool error_seen_ = false;
  bool fatal_error_seen_ = false;
  std::vector<XmlMessage> messages_;
  std::size_t dropped_ = 0;
};

}  // namespace ovrabjt

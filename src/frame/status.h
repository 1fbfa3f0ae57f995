// The result of a step that can fail, outside the XML layer: success, or a
// code for the kind of failure and one sentence for people that names the
// file, the place and the cause. A failure of the XML layer also keeps the
// exception it was raised as, for callers that word it in their own terms.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

enum class StatusCode {
  kOk,
  kNoMemory,       // a work record or buffer could not be allocated
  kBadTicket,      // the packed ticket could not be unpacked
  kPackFailed,     // the filled record could not be packed
  kDocumentError,  // the XML layer failed; see error()
  kFileError,      // a file could not be opened, read or written
  kRefused,        // the input is of another kind, or a value does not take effect
};

class [[nodiscard]] Status {
 public:
  // Success.
  Status() = default;
  // A failure; `message` is the sentence, `error` the XML layer's exception.
  Status(StatusCode code, std::string message, std::optional<OvraParseException> error = {})
      : code_(code), message_(std::move(message)), error_(std::move(error)) {}

  explicit operator bool() const { return code_ == StatusCode::kOk; }
  StatusCode code() const { return code_; }
  // The sentence; empty for success.
  const std::string& message() const { return message_; }
  const std::optional<OvraParseException>& error() const { return error_; }

 private:
  StatusCode code_ = StatusCode::kOk;
  std::string message_;
  std::optional<OvraParseException> error_;
};

}  // namespace ovrabjt

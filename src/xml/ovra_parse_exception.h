// The module's one exception type and its error codes. Every failure of the
// XML layer is raised as OvraParseException and caught only at the exports,
// which turn it into a failed result.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace ovrabjt {

enum class OvraErrorCode : std::int16_t {
  kParseException = 1,          // the XML library raised while parsing
  kParseError = 2,              // the parse reported an error or fatal error
  kWriteException = 3,          // the XML library raised while writing
  kOutputRefused = 4,           // the output's Write returned false
  kAttributeReadFailed = 5,     // DOM exception reading an attribute element
  kAttributeBuildFailed = 6,    // DOM exception building one; detail: name
  kAttributeOutsideGroups = 7,  // ovra name in neither group; detail: name
  kNoInput = 8,
  kNoOutput = 9,
  kOvraWithoutName = 10,
  kBadDocumentKind = 11,
  kFileReadFailed = 12,
  kNoMemoryForFile = 13,
  kFileSizeFailed = 14,
  kFileOpenFailed = 15,  // detail: file name
  kFileReadWithoutName = 16,
  kFileCreateFailed = 17,  // detail: file name
  kFileWriteWithoutName = 18,
  kFileWriteFailed = 19,
  kPlatformTerminated = 20,
  kTerminateWithoutInit = 21,
  kTerminateTwice = 22,
  kPlatformInitFailed = 23,
  kPlatformTerminateFailed = 24,
  kDocumentAllocationFailed = 25,
};

inline constexpr int kFirstOvraErrorCode = 1;
inline constexpr int kLastOvraErrorCode = 25;

// DescribeOvraError - the short, lower-case description of a code, for tools
// and logs; "unknown error code" for a value outside 1 to 25.
const char* DescribeOvraError(OvraErrorCode code);

// OvraParseException - a failure of the XML layer: its code, a detail (the
// file or attribute name for the codes that name one, else empty) and, for
// diagnostics only, where in the module it was raised.
class OvraParseException : public std::exception {
 public:
  // The file and line default to the raising site. (Compiler built-ins
  // rather than std::source_location, which clang 14 with libstdc++ lacks.)
  explicit OvraParseException(OvraErrorCode code, std::string detail = {},
                              const char* file = __builtin_FILE(),
                              std::uint_least32_t line = __builtin_LINE());

  OvraErrorCode code() const noexcept { return code_; }
  const std::string& detail() const noexcept { return detail_; }
  // The module's source file and line that raised it.
  const char* file() const noexcept { return file_; }
  std::uint_least32_t line() const noexcept { return line_; }
  // The code's description.
  const char* what() const noexcept override;

 private:
  OvraErrorCode code_;
  std::string detail_;
  const char* file_;
  std::uint_least32_t line_;
};

// FormatOvraError - one line for a log: "error 15 (opening the file for
// reading failed): name [file:line]", without ": name" when the detail is
// empty.
std::string FormatOvraError(const OvraParseException& error);

}  // namespace ovrabjt

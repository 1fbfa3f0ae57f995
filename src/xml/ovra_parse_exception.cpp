#include "xml/ovra_parse_exception.h"

#include <array>
#include <utility>

namespace ovrabjt {
namespace {

// Indexed by code; entry 0 stands for every value outside the table.
constexpr std::array<const char*, kLastOvraErrorCode + 1> kDescriptions = {
    "unknown error code",
    "the XML library raised an exception while parsing",
    "the parse reported an error or a fatal error",
    "the XML library raised an exception while writing",
    "the output's Write returned false",
    "a DOM exception while reading an attribute element",
    "a DOM exception while building an attribute element",
    "an ovra attribute name belongs to neither group",
    "read with no input text",
    "write with no output",
    "ovra document requested without a name",
    "the stream's document kind is not 1, 2 or 3",
    "reading the file failed or was short",
    "no memory for the file's contents",
    "reading the file size failed",
    "opening the file for reading failed",
    "read from a file stream without a file name",
    "creating the file for writing failed",
    "write to a file stream without a file name",
    "writing to the file failed",
    "XML library needed after it was terminated",
    "termination without initialisation",
    "termination after termination",
    "the XML library's initialisation raised an exception",
    "the XML library's termination raised an exception",
    "allocating a document object failed",
};

}  // namespace

const char* DescribeOvraError(OvraErrorCode code) {
  const int value = static_cast<int>(code);
  if (value < kFirstOvraErrorCode || value > kLastOvraErrorCode) return kDescriptions[0];
  return kDescriptions[static_cast<std::size_t>(value)];
}

OvraParseException::OvraParseException(OvraErrorCode code, std::string detail, const char* file,
                                       std::uint_least32_t line)
    : code_(code), detail_(std::move(detail)), file_(file), line_(line) {}

const char* OvraParseException::what() const noexcept { return DescribeOvraError(code_); }

std::string FormatOvraError(const OvraParseException& error) {
  std::string line = "error ";
  line.append(std::to_string(static_cast<int>(error.code())))
      .append(" (")
      .append(DescribeOvraError(error.code()))
      .append(")");
  if (!error.detail().empty()) line.append(": ").append(error.detail());
  line.append(" [")
      .append(error.file())
      .append(":")
      .append(std::to_string(error.line()))
      .append("]");
  return line;
}

}  // namespace ovrabjt

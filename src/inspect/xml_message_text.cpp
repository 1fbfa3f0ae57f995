#include "inspect/xml_message_text.h"

namespace ovrabjt {
namespace {

const char* KindName(XmlMessage::Kind kind) {
  switch (kind) {
    case XmlMessage::Kind::kWarning:
      return "warning";
    case XmlMessage::Kind::kError:
      return "error";
    case XmlMessage::Kind::kFatalError:
      return "fatal error";
    case XmlMessage::Kind::kLibraryException:
      break;
  }
  return "library exception";
}

}  // namespace

std::string DescribeXmlMessage(const XmlMessage& message) {
  return message.system_id + ":" + std::to_string(message.line) + ":" +
         std::to_string(message.column) + ": " + KindName(message.kind) + ": " + message.text;
}

}  // namespace ovrabjt

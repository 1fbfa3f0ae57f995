// The empty document of each kind, from which every written document starts:
// its declaration, for ovra the document type, and the root element with the
// version attributes. Read only through DocumentTemplatesInForce().
#pragma once

#include <string_view>

namespace ovrabjt {

struct DocumentTemplates {
  std::string_view ovra;
  std::string_view kesp;
  std::string_view mediaprefs;
};

inline constexpr DocumentTemplates kDocumentTemplates = {
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE ovra SYSTEM \"ovra-v02012.dtd\">\r\n"
    "<ovra version=\"1.0\" qrcs-version=\"2.01\" xml:lang=\"en-US\"></ovra>",
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<kesp version=\"1.0\" qrcs-version=\"2.01\" xml:lang=\"en-US\"> </kesp>",
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<mediaprefs version=\"1.0\" qrcs-version=\"2.01\" xml:lang=\"en-US\"> </mediaprefs>",
};

// DocumentTemplatesInForce - the templates every document kind starts from.
constexpr const DocumentTemplates& DocumentTemplatesInForce() { return kDocumentTemplates; }

}  // namespace ovrabjt

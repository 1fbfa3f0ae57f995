// The packed ticket of an ovra document, made by the exports as a driver
// calls them: for tests that link the shared library.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ovrabjt::test {

// The name documents are parsed under, beside the document types, in both
// widths; and the example ticket's document.
inline const std::string kTicketBase = OVRABJT_SOURCE_DIR "/data/ticket.xml";
inline const std::u16string kTicketBase16 = u"" OVRABJT_SOURCE_DIR "/data/ticket.xml";
inline const std::string kExampleTicket = OVRABJT_SOURCE_DIR "/data/examples/ticket.xml";

// PackedFromDocument - both calls of LoadOvra for `file`, parsed under
// `base`; empty when the first call fails.
inline std::vector<std::uint8_t> PackedFromDocument(const std::string& file,
                                                    const std::string& base = kTicketBase) {
  void* block = nullptr;
  std::uint32_t size = 0;
  if (!LoadOvra(file.c_str(), base.c_str(), nullptr, &block, &size)) return {};
  std::vector<std::uint8_t> packed(size);
  LoadOvra(nullptr, nullptr, packed.data(), &block, &size);
  return packed;
}

}  // namespace ovrabjt::test

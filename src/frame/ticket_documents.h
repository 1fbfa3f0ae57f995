// The three conversions between a packed ticket and an ovra document, with a
// result that says what went wrong. The exports, the command-line tool and
// the tests all go through these.
#pragma once

#include <ovrabjt/ovrabjt.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/status.h"
#include "releases/release_profile.h"
#include "xml/ovra_parse_exception.h"

namespace ovrabjt {

// A caller's packed ticket: its bytes and, when known, its length.
struct PackedTicket {
  const void* bytes = nullptr;
  std::optional<std::size_t> length;
};

// The conversions fail with kNoMemory, kBadTicket, kPackFailed or
// kDocumentError; the message is "the packed ticket is damaged" and the like,
// or for the XML layer's failures the error's code, description and detail.

// Documents follow `release`: its templates, its document type and its
// vocabulary. Names may be null: a missing file name or base name fails as the XML layer
// says (codes 16, 18 and 10).

// SaveTicketDocument - writes the packed ticket as the ovra document
// `file_name`, parsed under `base_name`. An existing file is replaced only
// when the whole document is written.
Status SaveTicketDocument(const char* file_name, const char* base_name, PackedTicket ticket,
                          const ReleaseProfile& release = BuildRelease());

// WriteTicketDocument - hands the ovra text of the packed ticket to `output`.
Status WriteTicketDocument(const char* base_name, PackedTicket ticket, XmlOutputCallback* output,
                           const ReleaseProfile& release = BuildRelease());

// LoadTicketDocument - reads the ovra document `file_name` into a packed
// ticket in `packed`, which is left as it was on failure.
Status LoadTicketDocument(const char* file_name, const char* base_name,
                          std::vector<std::uint8_t>& packed,
                          const ReleaseProfile& release = BuildRelease());

}  // namespace ovrabjt

// The conversions of the tool's tickets, through the same calls as the
// library's exports, with failures as sentences that name the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics.h"
#include "frame/status.h"
#include "ticket/ticket_record.h"

namespace ovrabjt::cli {

// NewRecord - a record of defaults; std::bad_alloc when there is no memory
// for one.
std::unique_ptr<TicketRecord> NewRecord();

// AsBytes - the bytes of a packed ticket as the file functions take them.
std::string_view AsBytes(const std::vector<std::uint8_t>& packed);

// UnpackTicketBytes - unpacks a packed ticket of known length (the bounded
// unpack) into `record`. Fails with kBadTicket ("'t.bjt' is too short for a
// packed ticket: ...") when it cannot be unpacked.
Status UnpackTicketBytes(std::string_view packed, std::string_view shown, TicketRecord& record);

// DescribeBadTicket - why the bytes of `shown` are no packed ticket.
std::string DescribeBadTicket(std::string_view packed, std::string_view shown);

// TicketToDocument - the ovra text of a packed ticket, parsed under
// `base_name`, with line breaks and tabs when `indent` (the path of
// ConvertBJTToOvraStream).
Status TicketToDocument(std::string_view packed, std::string_view shown,
                        const std::string& base_name, bool indent, std::string& text);

// DocumentToTicket - the packed ticket of the ovra document of `read` (the
// path of LoadOvra).
Status DocumentToTicket(const DocumentRead& read, std::vector<std::uint8_t>& packed);

// DocumentTextToTicket - the same for document text held in memory, which is
// staged in a temporary file for the library's file reader.
Status DocumentTextToTicket(std::string_view text, std::string_view shown,
                            const std::string& base_name, std::vector<std::uint8_t>& packed);

}  // namespace ovrabjt::cli

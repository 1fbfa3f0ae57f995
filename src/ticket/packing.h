// The packed ticket: the fixed record followed by its strings, each with its
// NUL, in index order. This is the form that crosses the module's interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ticket/ticket_record.h"

namespace ovrabjt {

// PackTicket - with a null `destination`, measures: `*size_out` = 34368 + the
// bytes of the strings. Otherwise copies the record and its strings into
// `destination`, which holds the measured size, and leaves `size_out` alone.
// False, in both modes, when the record's string count disagrees with its
// table.
bool PackTicket(std::uint8_t* destination, const TicketRecord& record, std::uint32_t* size_out);

// PackTicket into `packed`, which is replaced by the measured size's bytes,
// each written once. False, with `packed` left alone, when the record's string
// count disagrees with its table or the size exceeds 32 bits.
bool PackTicket(const TicketRecord& record, std::vector<std::uint8_t>& packed);

// UnpackTicket - copies the fixed part of `block` into the record and adds its
// strings to the record's table. False when a text repeats an earlier one or
// has no NUL within 1001 bytes; the strings added so far stay in the table.
// The block's length is unknown, so the string count is trusted as far as
// the caller's memory can be read: the block is copied through the reader
// of readable memory as the scan goes, and false also when a page that
// cannot be read comes before the fixed part or the counted strings are
// complete.
bool UnpackTicket(TicketRecord& record, const std::uint8_t* block);

// UnpackTicket with the block's length: false also for a block shorter than
// the fixed part or whose strings run past `length`.
bool UnpackTicket(TicketRecord& record, const std::uint8_t* block, std::size_t length);

}  // namespace ovrabjt

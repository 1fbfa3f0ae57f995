#include "ticket/packing.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ovrabjt {

namespace {

// Bytes one packed text may span, NUL included.
constexpr std::size_t kMaxPackedText = kMaxTicketString + 1;

bool MeasureStrings(const TicketRecord& record, std::uint64_t& bytes) {
  if (record.strings.size() != record.Get(ticket_field::kStringCount)) return false;
  bytes = 0;
  for (std::size_t i = 0; i < record.strings.size(); ++i) bytes += record.strings.at(i).size() + 1;
  return true;
}

bool UnpackStrings(TicketRecord& record, const std::uint8_t* block, std::size_t length) {
  const std::size_t count = record.Get(ticket_field::kStringCount);
  std::size_t cursor = kTicketSize;
  for (std::size_t i = 1; i <= count; ++i) {
    const std::size_t window = std::min(kMaxPackedText, length - cursor);
    const void* nul = std::memchr(block + cursor, 0, window);
    if (!nul) return false;
    const std::size_t n = static_cast<const std::uint8_t*>(nul) - (block + cursor);
    std::string_view text(reinterpret_cast<const char*>(block + cursor), n);
    if (AddTicketString(record.strings, text) != i) return false;
    cursor += n + 1;
  }
  return true;
}

bool Unpack(TicketRecord& record, const std::uint8_t* block, std::size_t length) {
  FreeTicketStrings(record.strings);
  if (!block || length < kTicketSize) return false;
  std::memcpy(record.bytes.data(), block, kTicketSize);
  record.Set(ticket_field::kStringsSize, 0);  // the list lives outside the record
  return UnpackStrings(record, block, length);
}

}  // namespace

bool PackTicket(std::uint8_t* destination, const TicketRecord& record, std::uint32_t* size_out) {
  std::uint64_t strings_size = 0;
  if (!destination) {
    if (!MeasureStrings(record, strings_size) ||
        kTicketSize + strings_size > std::numeric_limits<std::uint32_t>::max())
      return false;
    if (size_out) *size_out = static_cast<std::uint32_t>(kTicketSize + strings_size);
    return true;
  }
  std::memcpy(destination, record.bytes.data(), kTicketSize);
  std::uint8_t* cursor = destination + kTicketSize;
  for (std::size_t i = 0; i < record.strings.size(); ++i) {
    const std::string& text = record.strings.at(i);
    std::memcpy(cursor, text.c_str(), text.size() + 1);
    cursor += text.size() + 1;
  }
  if (record.strings.size() != record.Get(ticket_field::kStringCount)) return false;
  StoreLE<std::uint32_t>(destination + ticket_field::kStringsSize.offset,
                         static_cast<std::uint32_t>(cursor - destination - kTicketSize));
  return true;
}

bool UnpackTicket(TicketRecord& record, const std::uint8_t* block) {
  // Each text is searched for its NUL within 1001 bytes, so no string is read
  // further than that even though the block's end is unknown.
  return Unpack(record, block, std::numeric_limits<std::size_t>::max());
}

bool UnpackTicket(TicketRecord& record, const std::uint8_t* block, std::size_t length) {
  return Unpack(record, block, length);
}

}  // namespace ovrabjt

#include "ticket/packing.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <span>

#include "platform/readable_memory.h"

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

// The strings area of a block of known length, read in place.
class BoundedStrings {
 public:
  BoundedStrings(const std::uint8_t* area, std::size_t length) : area_(area), length_(length) {}

  // Window - up to `want` bytes from `offset`; fewer where the area ends.
  std::span<const std::uint8_t> Window(std::size_t offset, std::size_t want) const {
    if (offset >= length_) return {};
    return {area_ + offset, std::min(want, length_ - offset)};
  }

 private:
  const std::uint8_t* area_;
  std::size_t length_;
};

// The strings area of a block whose end is unknown, copied out of the
// caller's memory as the scan reaches it, so that a string count claiming
// more strings than the block holds meets an unreadable page, not a fault.
// Each copy asks for twice as much as the one before, up to kMaxStep: a
// small table costs one small copy, a large one few system calls.
class GuardedStrings {
 public:
  explicit GuardedStrings(const std::uint8_t* area) : area_(area) {}

  // Window - up to `want` bytes from `offset`, which lies between the
  // previous window's start and its end; fewer where an unreadable page
  // comes first.
  std::span<const std::uint8_t> Window(std::size_t offset, std::size_t want) {
    if (offset + want > end() && !ended_) CopyFurther(offset, offset + want);
    if (offset >= end()) return {};
    return {buffer_.get() + (offset - base_), std::min(want, end() - offset)};
  }

 private:
  static constexpr std::size_t kFirstStep = std::size_t{4} << 10;
  static constexpr std::size_t kMaxStep = std::size_t{64} << 10;
  static constexpr std::size_t kCapacity = kMaxStep + kMaxPackedText;

  std::size_t end() const { return base_ + size_; }

  // Moves the bytes from `offset` on to the buffer's front and copies more,
  // up to `until` at least (a window is never longer than kMaxPackedText).
  void CopyFurther(std::size_t offset, std::size_t until) {
    if (!buffer_) buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kCapacity);
    const std::size_t drop = std::min(offset - base_, size_);
    std::memmove(buffer_.get(), buffer_.get() + drop, size_ - drop);
    base_ += drop;
    size_ -= drop;
    const std::size_t fetch = std::min(kCapacity - size_, std::max(until - end(), step_));
    step_ = std::min(2 * step_, kMaxStep);
    const std::size_t got = CopyReadableMemory(area_ + end(), buffer_.get() + size_, fetch);
    size_ += got;
    ended_ = got < fetch;
  }

  const std::uint8_t* area_;
  std::unique_ptr<std::uint8_t[]> buffer_;  // the area's bytes from base_ on
  std::size_t base_ = 0;
  std::size_t size_ = 0;
  std::size_t step_ = kFirstStep;
  bool ended_ = false;  // an unreadable page follows the copy
};

template <typename Strings>
bool UnpackStrings(TicketRecord& record, Strings& strings) {
  const std::size_t count = record.Get(ticket_field::kStringCount);
  std::size_t cursor = 0;
  for (std::size_t i = 1; i <= count; ++i) {
    const std::span<const std::uint8_t> window = strings.Window(cursor, kMaxPackedText);
    const void* nul = window.empty() ? nullptr : std::memchr(window.data(), 0, window.size());
    if (!nul) return false;
    const std::size_t n = static_cast<const std::uint8_t*>(nul) - window.data();
    const std::string_view text(reinterpret_cast<const char*>(window.data()), n);
    if (AddTicketString(record.strings, text) != i) return false;
    cursor += n + 1;
  }
  return true;
}

// A fresh list and the fixed part, copied through the reader of readable
// memory when `guarded`; the packed strings size is not used.
bool StartUnpack(TicketRecord& record, const std::uint8_t* block, bool guarded) {
  FreeTicketStrings(record.strings);
  if (!block) return false;
  if (!guarded) {
    std::memcpy(record.bytes.data(), block, kTicketSize);
  } else if (CopyReadableMemory(block, record.bytes.data(), kTicketSize) != kTicketSize) {
    return false;
  }
  record.Set(ticket_field::kStringsSize, 0);  // the list lives outside the record
  return true;
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

// The bytes are appended to reserved room rather than copied over a block
// zeroed first: one pass over the record instead of two.
bool PackTicket(const TicketRecord& record, std::vector<std::uint8_t>& packed) {
  std::uint32_t size = 0;
  if (!PackTicket(nullptr, record, &size)) return false;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(size);
  bytes.insert(bytes.end(), record.bytes.begin(), record.bytes.end());
  for (std::size_t i = 0; i < record.strings.size(); ++i) {
    const std::string& text = record.strings.at(i);
    bytes.insert(bytes.end(), text.c_str(), text.c_str() + text.size() + 1);
  }
  StoreLE<std::uint32_t>(bytes.data() + ticket_field::kStringsSize.offset,
                         static_cast<std::uint32_t>(size - kTicketSize));
  packed = std::move(bytes);
  return true;
}

bool UnpackTicket(TicketRecord& record, const std::uint8_t* block) {
  if (!StartUnpack(record, block, true)) return false;
  GuardedStrings strings(block + kTicketSize);
  return UnpackStrings(record, strings);
}

bool UnpackTicket(TicketRecord& record, const std::uint8_t* block, std::size_t length) {
  // A block shorter than the fixed part counts as none.
  if (!StartUnpack(record, length < kTicketSize ? nullptr : block, false)) return false;
  BoundedStrings strings(block + kTicketSize, length - kTicketSize);
  return UnpackStrings(record, strings);
}

}  // namespace ovrabjt

// The ticket's string table: distinct texts addressed by a 1-based 16-bit
// index, 0 meaning no text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovrabjt {

// The strings in index order, with a hash index from text to position so that
// adding a text costs the same whatever the size of the table.
class TicketStringList {
 public:
  TicketStringList() = default;
  TicketStringList(const TicketStringList&) = delete;
  TicketStringList& operator=(const TicketStringList&) = delete;

  std::size_t size() const { return texts_.size(); }
  bool empty() const { return texts_.empty(); }
  // The text at 0-based position `pos` (< size()).
  const std::string& at(std::size_t pos) const { return *texts_[pos]; }

  // 1-based index of an equal text, or 0.
  std::uint16_t Find(std::string_view text) const;
  // Appends the text; its 1-based index, or 0 when the table is full.
  std::uint16_t Append(std::string_view text);
  // Removes the text at 0-based position `pos` (< size()).
  void Erase(std::size_t pos);
  void Clear();

 private:
  // Each text has a stable address, so the index can key on views of it.
  std::vector<std::unique_ptr<const std::string>> texts_;
  std::unordered_map<std::string_view, std::size_t> positions_;
};

// AddTicketString - index of the text in the list, appending it (cut to 1000
// characters, up to its first NUL) when no equal text is there. Comparison is
// exact and case-sensitive. Returns 0 when the text cannot be added. The
// record's string count is the caller's to update.
std::uint16_t AddTicketString(TicketStringList& list, std::string_view text);

// GetTicketStringAt - copies the text of `index` into `out`. Index 0 and 1 both
// give the first text. False, with `out` untouched, past the end.
bool GetTicketStringAt(const TicketStringList& list, std::uint16_t index, std::string& out);

// RemoveTicketStringAt - removes the text of `index` (from 1); the texts behind
// it move down by one. False when there is no such text.
bool RemoveTicketStringAt(TicketStringList& list, std::uint16_t index);

// FreeTicketStrings - empties the list.
void FreeTicketStrings(TicketStringList& list);

}  // namespace ovrabjt

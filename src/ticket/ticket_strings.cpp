#include "ticket/ticket_strings.h"

#include <limits>

#include "ticket/layout.h"

namespace ovrabjt {

std::uint16_t TicketStringList::Find(std::string_view text) const {
  auto it = positions_.find(text);
  return it == positions_.end() ? 0 : static_cast<std::uint16_t>(it->second + 1);
}

std::uint16_t TicketStringList::Append(std::string_view text) {
  if (texts_.size() >= std::numeric_limits<std::uint16_t>::max()) return 0;
  texts_.push_back(std::make_unique<const std::string>(text));
  positions_.emplace(*texts_.back(), texts_.size() - 1);
  return static_cast<std::uint16_t>(texts_.size());
}

void TicketStringList::Erase(std::size_t pos) {
  positions_.erase(*texts_[pos]);
  texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(pos));
  for (std::size_t i = pos; i < texts_.size(); ++i) positions_[*texts_[i]] = i;
}

void TicketStringList::Clear() {
  positions_.clear();
  texts_.clear();
}

std::uint16_t AddTicketString(TicketStringList& list, std::string_view text) {
  // Cut before comparing: a long text and its stored prefix are one string,
  // never two equal entries.
  text = text.substr(0, text.find('\0'));
  if (text.size() > kMaxTicketString) text = text.substr(0, kMaxTicketString);
  if (std::uint16_t found = list.Find(text)) return found;
  try {
    return list.Append(text);
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

bool GetTicketStringAt(const TicketStringList& list, std::uint16_t index, std::string& out) {
  std::size_t pos = index == 0 ? 0 : index - 1u;
  if (pos >= list.size()) return false;
  out = list.at(pos);
  return true;
}

bool RemoveTicketStringAt(TicketStringList& list, std::uint16_t index) {
  if (index == 0 || index > list.size()) return false;
  list.Erase(index - 1u);
  return true;
}

void FreeTicketStrings(TicketStringList& list) { list.Clear(); }

}  // namespace ovrabjt

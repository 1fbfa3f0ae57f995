#include "attr/attr_node_list.h"

#include <cstring>

namespace ovrabjt {

AttrNodeList::~AttrNodeList() = default;

void AttrNodeList::Append(std::unique_ptr<AttrNode> node) {
  if (!node) return;
  // Room for a few nodes at once: most collections have fewer, and growing
  // from one costs an allocation and a move at 1, 2 and 4 in both arrays.
  if (nodes_.empty()) {
    nodes_.reserve(kFirstCapacity);
    names_.reserve(kFirstCapacity);
  }
  nodes_.push_back(std::move(node));
  // A node's identifier never changes or moves, so the key stays valid. The
  // two arrays stay the same length even when the second cannot grow.
  try {
    const AttrID* id = nodes_.back()->GetId();
    names_.push_back(KeyOf(id ? std::string_view(id->GetName()) : std::string_view()));
  } catch (...) {
    nodes_.pop_back();
    throw;
  }
}

void AttrNodeList::AppendAll(AttrNodeList&& other) {
  if (nodes_.empty()) {
    nodes_.swap(other.nodes_);
    names_.swap(other.names_);
  } else {
    nodes_.reserve(nodes_.size() + other.nodes_.size());
    names_.reserve(names_.size() + other.names_.size());
    for (std::unique_ptr<AttrNode>& node : other.nodes_) nodes_.push_back(std::move(node));
    names_.insert(names_.end(), other.names_.begin(), other.names_.end());
  }
  other.nodes_.clear();
  other.names_.clear();
  other.Rewind();
  other.find_valid_ = false;
}

void AttrNodeList::Append(std::string_view name, std::unique_ptr<AttrValue> value) {
  Append(std::make_unique<AttrNode>(std::make_unique<AttrID>(name), std::move(value)));
}

// The first, last and two middle bytes: names of one length mostly share
// their start ("media-...", "color-...") and differ further on.
AttrNodeList::NameKey AttrNodeList::KeyOf(std::string_view name) {
  const auto byte = [&](std::size_t pos) { return static_cast<std::uint8_t>(name[pos]); };
  const std::size_t n = name.size();
  const std::uint32_t print = n == 0 ? 0
                                     : byte(0) | byte(n / 3) << 8 | byte(2 * n / 3) << 16 |
                                           static_cast<std::uint32_t>(byte(n - 1)) << 24;
  return {name.data(), n, print};
}

bool AttrNodeList::SameName(const NameKey& a, const NameKey& b) {
  return a.size == b.size && a.print == b.print &&
         (a.size == 0 || std::memcmp(a.data, b.data, a.size) == 0);
}

AttrNode* AttrNodeList::FindNode(std::string_view name, std::size_t occurrence) const {
  const NameKey key = KeyOf(name);
  std::size_t position = 0;
  std::size_t count = 0;
  // Nodes are only ever appended, so a later occurrence of the name last
  // found lies behind the position where it was found.
  if (find_valid_ && occurrence > find_occurrence_ && SameName(names_[find_position_], key)) {
    position = find_position_ + 1;
    count = find_occurrence_ + 1;
  }
  for (; position < nodes_.size(); ++position) {
    if (!SameName(names_[position], key)) continue;
    if (count == occurrence) {
      find_occurrence_ = occurrence;
      find_position_ = position;
      find_valid_ = true;
      return nodes_[position].get();
    }
    ++count;
  }
  return nullptr;
}

}  // namespace ovrabjt

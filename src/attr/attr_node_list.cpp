#include "attr/attr_node_list.h"

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
  // A node's identifier never changes or moves, so the view stays valid. The
  // two arrays stay the same length even when the second cannot grow.
  try {
    const AttrID* id = nodes_.back()->GetId();
    names_.emplace_back(id ? std::string_view(id->GetName()) : std::string_view());
  } catch (...) {
    nodes_.pop_back();
    throw;
  }
}

void AttrNodeList::Append(std::string_view name, std::unique_ptr<AttrValue> value) {
  Append(std::make_unique<AttrNode>(std::make_unique<AttrID>(name), std::move(value)));
}

namespace {

// Equal names, the last bytes compared first: names of one length mostly
// share their start ("media-...", "color-...") and differ at the end.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && (a.empty() || (a.back() == b.back() && a == b));
}

}  // namespace

AttrNode* AttrNodeList::FindNode(std::string_view name, std::size_t occurrence) const {
  std::size_t position = 0;
  std::size_t count = 0;
  // Nodes are only ever appended, so a later occurrence of the name last
  // found lies behind the position where it was found.
  if (find_valid_ && occurrence > find_occurrence_ &&
      SameName(names_[find_position_], name)) {
    position = find_position_ + 1;
    count = find_occurrence_ + 1;
  }
  for (; position < nodes_.size(); ++position) {
    if (!SameName(names_[position], name)) continue;
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

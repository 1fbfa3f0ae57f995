#include "attr/attr_node_list.h"

namespace ovrabjt {

AttrNodeList::~AttrNodeList() = default;

void AttrNodeList::Append(std::unique_ptr<AttrNode> node) { nodes_.push_back(std::move(node)); }

void AttrNodeList::Append(std::string_view name, std::unique_ptr<AttrValue> value) {
  Append(std::make_unique<AttrNode>(std::make_unique<AttrID>(name), std::move(value)));
}

AttrNode* AttrNodeList::FindNode(std::string_view name, std::size_t occurrence) const {
  std::size_t position = 0;
  std::size_t count = 0;
  // Nodes are only ever appended, so a later occurrence of the name last
  // found lies behind the position where it was found.
  if (find_valid_ && occurrence > find_occurrence_ &&
      nodes_[find_position_]->GetId()->Matches(name)) {
    position = find_position_ + 1;
    count = find_occurrence_ + 1;
  }
  for (; position < nodes_.size(); ++position) {
    if (!nodes_[position]->GetId()->Matches(name)) continue;
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

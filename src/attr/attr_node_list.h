// One ordered level of the attribute tree: a document body, or the members
// of a collection or set. The list owns its nodes; deleting the top list frees
// the whole tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "attr/attr_node.h"

namespace ovrabjt {

class AttrNodeList {
 public:
  AttrNodeList() = default;
  AttrNodeList(const AttrNodeList&) = delete;
  AttrNodeList& operator=(const AttrNodeList&) = delete;
  // Virtual: a list handed to a caller is later deleted through this class.
  virtual ~AttrNodeList();

  // Adds the node at the end and takes it over; a null node is not added.
  void Append(std::unique_ptr<AttrNode> node);
  // Moves every node of `other` to the end, in order; `other` is left empty.
  void AppendAll(AttrNodeList&& other);
  // Convenience: appends a node made of a name and a value.
  void Append(std::string_view name, std::unique_ptr<AttrValue> value);

  // The walk: Rewind, then NextNode while HasMore.
  void Rewind() { walk_ = 0; }
  bool HasMore() const { return walk_ < nodes_.size(); }
  AttrNode* NextNode() { return nodes_[walk_++].get(); }

  // The occurrence-th node (from 0) among the nodes named exactly `name`, or
  // null. Only this level is searched. Uses its own cursor, so it never
  // disturbs a walk; asking for the occurrences of one name in turn costs
  // one pass over the list in all.
  AttrNode* FindNode(std::string_view name, std::size_t occurrence) const;

  std::size_t size() const { return nodes_.size(); }
  bool empty() const { return nodes_.empty(); }
  std::span<const std::unique_ptr<AttrNode>> nodes() const { return nodes_; }

 private:
  static constexpr std::size_t kFirstCapacity = 8;

  // A node's name as lookups compare it: its bytes, its length and four of
  // its bytes, so that a scan reads the bytes of a name (held by the node's
  // identifier, elsewhere in memory) only when it is almost surely the one
  // sought.
  struct NameKey {
    const char* data;
    std::size_t size;
    std::uint32_t print;
  };
  static NameKey KeyOf(std::string_view name);
  static bool SameName(const NameKey& a, const NameKey& b);

  std::vector<std::unique_ptr<AttrNode>> nodes_;
  // The name of each node, side by side, so that a lookup runs over one
  // compact array instead of visiting every node and its identifier.
  std::vector<NameKey> names_;
  std::size_t walk_ = 0;
  // The find cursor: the position of the last match and which occurrence of
  // its name it was (the name is that of the node at the position).
  mutable std::size_t find_occurrence_ = 0;
  mutable std::size_t find_position_ = 0;
  mutable bool find_valid_ = false;
};

}  // namespace ovrabjt

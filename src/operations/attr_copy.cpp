#include "operations/attr_copy.h"

#include "attr/attr_node_list.h"

namespace ovrabjt {

std::unique_ptr<AttrNode> CopyAttrNode(const AttrNode& node) {
  const AttrValue* value = node.GetValue();
  std::unique_ptr<AttrValue> copy;
  if (value != nullptr && value->GetSyntaxCode() == kSyntaxList) {
    // A list value does not copy itself; its members are copied one by one.
    const auto& list = static_cast<const IppList&>(*value);
    auto copied = std::make_unique<IppList>();
    copied->SetSyntaxName(list.GetSyntaxName());
    if (const AttrNodeList* members = list.GetMembers()) {
      auto copied_members = std::make_unique<AttrNodeList>();
      for (const std::unique_ptr<AttrNode>& member : members->nodes())
        copied_members->Append(CopyAttrNode(*member));
      copied->SetMembers(std::move(copied_members));
    }
    copy = std::move(copied);
  } else if (value != nullptr) {
    copy = value->Clone();
  }
  return std::make_unique<AttrNode>(std::make_unique<AttrID>(node.GetName()), std::move(copy));
}

}  // namespace ovrabjt

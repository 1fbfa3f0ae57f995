#include "inspect/attr_dump.h"

namespace ovrabjt {

namespace {

void DumpLevel(const AttrNodeList& list, int depth, std::string& out) {
  for (const auto& node : list.nodes()) {
    out.append(2 * depth, ' ');
    out += node->GetName();
    const AttrValue* value = node->GetValue();
    if (!value) {
      out += " (no value)\n";
      continue;
    }
    out += " (";
    out += value->GetSyntaxName();
    out += ')';
    if (value->GetSyntaxCode() == kSyntaxList) {
      out += ":\n";
      if (const AttrNodeList* members = static_cast<const IppList*>(value)->GetMembers())
        DumpLevel(*members, depth + 1, out);
      continue;
    }
    out += " = ";
    out += value->GetText();
    out += '\n';
  }
}

}  // namespace

std::string DumpAttrList(const AttrNodeList& list) {
  std::string out;
  DumpLevel(list, 0, out);
  return out;
}

}  // namespace ovrabjt

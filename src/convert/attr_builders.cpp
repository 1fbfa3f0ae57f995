#include "convert/attr_builders.h"

#include <string>

#include "attr/attr_value_factory.h"

namespace ovrabjt {

AttrNodeList& AddCollection(AttrNodeList& list, std::string_view name, std::string_view syntax) {
  auto members = std::make_unique<AttrNodeList>();
  AttrNodeList& filled = *members;
  AttachCollection(list, std::move(members), name, syntax);
  return filled;
}

void AttachCollection(AttrNodeList& list, std::unique_ptr<AttrNodeList> members,
                      std::string_view name, std::string_view syntax) {
  auto value = std::make_unique<IppList>();
  value->SetSyntaxName(syntax);
  value->SetMembers(std::move(members));
  list.Append(name, std::move(value));
}

void AddRange(AttrNodeList& list, std::int32_t lower, std::int32_t upper, std::string_view name) {
  AttrNodeList& members = AddCollection(list, name, kRangeOfInteger);
  AddNumber(members, lower, kLowerBound, kInteger);
  AddNumber(members, upper, kUpperBound, kInteger);
}

// The value the factory makes of the number's decimal text, made without
// the text for the two syntaxes that hold numbers.
void AddNumber(AttrNodeList& list, std::int32_t value, std::string_view name,
               std::string_view syntax) {
  if (syntax == kInteger)
    list.Append(name, std::make_unique<IppInteger>(value));
  else if (syntax == kEnum)
    list.Append(name, std::make_unique<IppEnum>(value));
  else
    list.Append(name, AttrValueFactory::CreateValue(syntax, std::to_string(value)));
}

bool AddString(AttrNodeList& list, std::string_view text, std::string_view name,
               std::string_view syntax) {
  if (text.empty()) return false;
  list.Append(name, AttrValueFactory::CreateValue(syntax, text));
  return true;
}

bool AddName(AttrNodeList& list, std::string_view text, std::string_view name) {
  AddString(list, text, name, kName);
  return true;
}

bool AddText(AttrNodeList& list, std::string_view text, std::string_view name) {
  AddString(list, text, name, kText);
  return true;
}

bool AddUri(AttrNodeList& list, std::string_view text, std::string_view name) {
  AddString(list, text, name, kUri);
  return true;
}

}  // namespace ovrabjt

#include "attr/attr_value.h"

#include <limits>

#include "attr/attr_node_list.h"

namespace ovrabjt {

AttrValue::~AttrValue() = default;

void AttrValue::SetSyntaxName(std::string_view) {}

std::int32_t ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  auto is_space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && is_space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate the magnitude and stop growing it once past the 32-bit range.
  constexpr std::int64_t kLimit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

PrimitiveInteger::PrimitiveInteger(SyntaxCode code, std::string_view text)
    : AttrValue(code), value_(ParseDecimal(text)) {}

std::string PrimitiveInteger::GetText() const { return std::to_string(value_); }

bool PrimitiveInteger::Equals(const AttrValue& other) const {
  return other.GetSyntaxCode() == GetSyntaxCode() &&
         static_cast<const PrimitiveInteger&>(other).value_ == value_;
}

bool PrimitiveString::Equals(const AttrValue& other) const {
  return other.GetSyntaxCode() == GetSyntaxCode() &&
         static_cast<const PrimitiveString&>(other).value_ == value_;
}

IppBoolean::IppBoolean(std::string_view text)
    : AttrValue(kSyntaxBoolean), value_(text == "true" || text == "1" || text == "yes") {}

bool IppBoolean::Equals(const AttrValue& other) const {
  return other.GetSyntaxCode() == kSyntaxBoolean &&
         static_cast<const IppBoolean&>(other).value_ == value_;
}

std::unique_ptr<AttrValue> IppBoolean::Clone() const { return std::make_unique<IppBoolean>(*this); }

bool IppNull::Equals(const AttrValue& other) const { return other.GetSyntaxCode() == kSyntaxNull; }

std::unique_ptr<AttrValue> IppNull::Clone() const { return std::make_unique<IppNull>(); }

IppList::IppList() : AttrValue(kSyntaxList), syntax_name_("1setOf") {}

IppList::~IppList() = default;

void IppList::SetMembers(std::unique_ptr<AttrNodeList> members) { members_ = std::move(members); }

}  // namespace ovrabjt

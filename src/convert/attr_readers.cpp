#include "convert/attr_readers.h"

#include <cassert>
#include <cstring>
#include <utility>

#include "convert/job_attributes.h"
#include "vocabulary/finishings.h"
#include "vocabulary/job_vocabulary.h"

namespace ovrabjt {

namespace {

const AttrValue* FindValue(const AttrNodeList& list, std::string_view name,
                           std::size_t occurrence) {
  const AttrNode* node = list.FindNode(name, occurrence);
  return node ? node->GetValue() : nullptr;
}

// The stored text of a string value whose syntax is one of the two sets the
// text readers take, or null.
const std::string* StringOf(const AttrValue& value, bool uri_not_mime) {
  switch (value.GetSyntaxCode()) {
    case kSyntaxName:
    case kSyntaxKeyword:
    case kSyntaxText:
      break;
    case kSyntaxUri:
      if (!uri_not_mime) return nullptr;
      break;
    case kSyntaxMimeMediaType:
      if (uri_not_mime) return nullptr;
      break;
    default:
      return nullptr;
  }
  return &static_cast<const PrimitiveString&>(value).GetString();
}

}  // namespace

bool ReadCollection(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                    const AttrNodeList*& members) {
  const AttrValue* value = FindValue(list, name, occurrence);
  if (!value || value->GetSyntaxCode() != kSyntaxList) return false;
  const AttrNodeList* found = static_cast<const IppList*>(value)->GetMembers();
  if (!found) return false;
  members = found;
  return true;
}

bool ReadCollection(AttrNodeList& list, std::string_view name, std::size_t occurrence,
                    AttrNodeList*& members) {
  const AttrNodeList* found = nullptr;
  if (!ReadCollection(std::as_const(list), name, occurrence, found)) return false;
  // The list owns its members, so the caller's right to change it extends
  // to them.
  members = const_cast<AttrNodeList*>(found);
  return true;
}

bool ReadInteger(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                 std::int32_t& out) {
  const AttrValue* value = FindValue(list, name, occurrence);
  if (!value) return false;
  const SyntaxCode code = value->GetSyntaxCode();
  out = (code == kSyntaxInteger || code == kSyntaxEnum)
            ? static_cast<const PrimitiveInteger*>(value)->GetInteger()
            : static_cast<std::int32_t>(occurrence);
  return true;
}

bool ReadString(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                std::string& out) {
  const AttrValue* value = FindValue(list, name, occurrence);
  if (!value) return false;
  if (const std::string* text = StringOf(*value, /*uri_not_mime=*/false)) out = *text;
  return true;
}

bool ReadTextInto(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                  char* destination, std::size_t max_length) {
  const AttrValue* value = FindValue(list, name, occurrence);
  if (!value) return false;
  if (const std::string* text = StringOf(*value, /*uri_not_mime=*/true)) {
    const std::size_t n = text->size() < max_length ? text->size() : max_length;
    std::memcpy(destination, text->data(), n);
    destination[n] = '\0';
  }
  return true;
}

bool ReadTextInto(const AttrNodeList& list, std::string_view name, std::size_t occurrence,
                  const FieldView& record, TextField field) {
  assert(field.offset + field.capacity <= record.size());
  char* destination = reinterpret_cast<char*>(record.data() + field.offset);
  return ReadTextInto(list, name, occurrence, destination, field.max_length());
}

bool ReadRangeValue(const AttrNodeList& list, std::size_t occurrence, std::int32_t& lower,
                    std::int32_t& upper) {
  const AttrNodeList* range = nullptr;
  if (!ReadCollection(list, kSetEntry, occurrence, range)) return false;
  ReadInteger(*range, kLowerBound, 0, lower);
  ReadInteger(*range, kUpperBound, 0, upper);
  return true;
}

bool ReadOrientation(const AttrNodeList& list, std::uint8_t& out) {
  std::int32_t value = 0;
  if (!ReadInteger(list, job_attr::kOrientation, 0, value)) return false;
  if (auto code = kOrientations.CodeOf(value)) out = *code;
  return true;
}

bool ReadFinishingValue(const AttrNodeList& members, std::int32_t& out) {
  std::int32_t number = 0;
  if (!ReadInteger(members, kSetEntry, 0, number)) return false;
  const auto code = kFinishings.CodeOf(number);
  if (!code) return false;
  out = *code;
  return true;
}

}  // namespace ovrabjt

#include "convert/media/sides.h"

#include <string>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "vocabulary/media_vocabulary.h"

namespace ovrabjt {

bool ReadSides(const AttrNodeList& list, std::uint8_t& sides) {
  std::string text;
  if (!ReadString(list, media_attr::kSides, 0, text)) return false;
  const auto code = kSides.CodeOf(text);
  if (!code) return false;
  sides = *code;
  return true;
}

void WriteSides(AttrNodeList& list, std::uint8_t sides) {
  if (const auto keyword = kSides.ValueOf(sides))
    AddString(list, *keyword, media_attr::kSides, "keyword");
}

}  // namespace ovrabjt

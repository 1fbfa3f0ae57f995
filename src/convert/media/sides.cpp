#include "convert/media/sides.h"

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "vocabulary/media_vocabulary.h"

namespace ovrabjt {

bool ReadSides(const AttrNodeList& list, std::uint8_t& sides) {
  return ReadKeyword(list, media_attr::kSides, kSides, sides);
}

void WriteSides(AttrNodeList& list, std::uint8_t sides) {
  AddKeyword(list, kSides, sides, media_attr::kSides);
}

}  // namespace ovrabjt

#include "convert/color/rendering_intent.h"

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "vocabulary/color_vocabulary.h"

namespace ovrabjt {

bool ReadRenderingIntent(const AttrNodeList& list, std::string_view name, const FieldView& record,
                         Field<std::int16_t> field) {
  return ReadKeyword(list, name, kRenderingIntents, record, field);
}

void WriteRenderingIntent(AttrNodeList& list, std::int16_t code, std::string_view name) {
  AddKeyword(list, kRenderingIntents, code, name);
}

}  // namespace ovrabjt

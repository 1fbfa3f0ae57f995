#include "convert/color/rendering_intent.h"

#include <string>

#include "convert/attr_builders.h"
#include "convert/attr_readers.h"
#include "vocabulary/color_vocabulary.h"

namespace ovrabjt {

bool ReadRenderingIntent(const AttrNodeList& list, std::string_view name, const FieldView& record,
                         Field<std::int16_t> field) {
  std::string text;
  if (!ReadString(list, name, 0, text)) return false;
  const auto code = kRenderingIntents.CodeOf(text);
  if (!code) return false;
  record.Set(field, *code);
  return true;
}

void WriteRenderingIntent(AttrNodeList& list, std::int16_t code, std::string_view name) {
  if (const auto keyword = kRenderingIntents.ValueOf(code))
    AddString(list, *keyword, name, "keyword");
}

}  // namespace ovrabjt

#include "convert/color/highlight_color.h"

#include "vocabulary/color_vocabulary.h"

namespace ovrabjt {

bool HighlightColorFromKeyword(std::string_view text, std::int16_t& field) {
  const auto code = kHighlightColors.CodeOf(text);
  if (!code) return false;
  field = *code;
  return true;
}

bool KeywordFromHighlightColor(std::int16_t code, std::string_view& out) {
  const auto keyword = kHighlightColors.ValueOf(code);
  if (!keyword) return false;
  out = *keyword;
  return true;
}

}  // namespace ovrabjt

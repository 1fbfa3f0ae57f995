// The words of the field codes: every decoder names a real field, and codes
// decode through the conversion's own vocabulary.
#include "field_words.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "inspect/field_catalog.h"

namespace ovrabjt::cli {
namespace {

TEST(FieldWords, EveryDecoderNamesAFieldOfTheCatalogue) {
  std::set<std::string_view> names;
  for (auto catalogue :
       {JobFieldCatalog(), OverrideFieldCatalog(), InsertFieldCatalog(), MediaFieldCatalog()})
    for (const FieldInfo& field : catalogue) names.insert(field.name);
  std::set<std::string_view> decoded;
  for (std::string_view name : FieldsWithWords()) {
    EXPECT_TRUE(names.count(name)) << name;
    EXPECT_TRUE(decoded.insert(name).second) << "twice: " << name;
  }
}

TEST(FieldWords, CodesDecodeToTheirWords) {
  const struct {
    std::string_view field;
    std::int64_t code;
    std::optional<std::string> words;
  } cases[] = {
      {"sides", 2, "two-sided-long-edge"},
      {"sides", 8, "not given"},
      {"sides", 258, "not given"},  // outside the field's byte
      {"renderingIntentText", 64, "automatic"},
      {"highlightColorant", 8192, "brown"},
      {"finishing", 2048, "finishings 23 (staple-bottom-right)"},
      {"finishing", 16, "finishings 50"},
      {"finishing", 32, "separator sheets"},
      {"finishing", 3, "not given"},
      {"orientation", 2, "landscape (orientation-requested 4)"},
      {"printerResolution", 4, "300 x 300 dpi"},
      {"saveFormat", 16, "application/X-fast-reprint-and-dri"},
      {"jobFlags", 0x7FFF,
       "not given: image shifts, copies, font name, font size, lightness, saturation, contrast, "
       "colour balance, trap width fast, trap width slow"},
      {"jobFlags", 0x0010, "not given: copies"},
      {"jobFlags", 0, "all given"},
      {"overrideFlags", 0xBF,
       "not given: x-side1 shift, y-side1 shift, x-side2 shift, y-side2 shift, medium, sides, "
       "lightness"},
      {"sizeCode", 0x8000, "105 x 241 mm"},
      {"sizeCode", 256, "custom size (shortEdge x longEdge)"},
      {"sizeCode", 3, "unknown size code"},
      {"color", 1024, "red"},
      {"color", 64, "named colour (colorName)"},
      {"type", 128, "pre-printed"},
      {"type", 16, "named type (typeName)"},
      {"frontCoating", 64, "satin"},
      {"holeCode", 2, "3 holes"},
      {"holeCode", 4, "not given"},
      {"flags", 5, "not given: weight, long edge"},
      {"shiftX1", -3, "-3 mm"},
      {"copies", 5, std::nullopt},
      {"jobName", 0, std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FieldWords(c.field, c.code), c.words) << c.field << " " << c.code;
}

}  // namespace
}  // namespace ovrabjt::cli

// The highlight colours of "highlight-colorant" and "highlight-map-color".
#pragma once

#include <cstdint>
#include <string_view>

namespace ovrabjt {

// HighlightColorFromKeyword - the code of the colour named by `text`, in any
// letter case, stored in `field`. An unknown colour leaves the field as it
// was and returns false.
bool HighlightColorFromKeyword(std::string_view text, std::int16_t& field);

// KeywordFromHighlightColor - the keyword of a highlight colour code and
// true; false, with `out` untouched, for a code that names no colour (such
// as the default 1).
bool KeywordFromHighlightColor(std::int16_t code, std::string_view& out);

}  // namespace ovrabjt

// Words of the older releases that the newest one replaced. The newest
// release's words stand in the vocabulary headers of the conversions.
#pragma once

#include <cstdint>
#include <string_view>

#include "convert/code_table.h"
#include "convert/media/media_vocabulary.h"
#include "prefs/prefs_vocabulary.h"

namespace ovrabjt {

// "page-rotation" from "3.1.07" to "10.0.06".
inline constexpr KeywordTable<std::uint8_t, 4> kRotationKeywords{{{
    {1, "rotation-0"},
    {2, "rotation-90"},
    {4, "rotation-180"},
    {8, "rotation-270"},
}}};

// "save-document-format" before "10.0.06".
inline constexpr KeywordTable<std::uint16_t, 4> kShortSaveFormats{{{
    {2, "single-page-tiff"},
    {4, "multi-page-tiff"},
    {8, "fast-reprint"},
    {16, "fast-reprint-and-dri"},
}}};

// "media-color" of "3.0.15": "clear" where later releases say "no-color".
inline constexpr auto kMediaColors3015 =
    Reworded<9>(kMediaColors, std::int16_t{32}, std::string_view("clear"));

// "3.0.15" says "media-opacity" "transparent" and "media-tabs" "pre-cut" or
// "full-cut" where later releases give a "media-type"; they map onto the
// same media types (transparency, pre-cut tabs, full-cut tabs).
inline constexpr KeywordTable<std::int16_t, 1> kMediaOpacities{{{
    {2, "transparent"},
}}};
inline constexpr KeywordTable<std::int16_t, 2> kMediaTabs{{{
    {4, "pre-cut"},
    {8, "full-cut"},
}}};

// Capability selectors of "3.0.15": 2 and 3 without "-supported", and no 16
// and 17. (Releases "3.1.07" to "10.0.06" know the newest table's first 15.)
inline constexpr auto kCapabilities3015 = Reworded<15>(
    Reworded<17>(kCapabilities, 2, std::string_view("color-destination-profile-front")), 3,
    std::string_view("color-destination-profile-back"));

// Stock lists of "3.0.15": "media-library" where later releases say
// "media-col-database".
inline constexpr auto kStockLists3015 =
    Reworded<4>(kStockLists, 1, std::string_view("media-library"));

}  // namespace ovrabjt

// Words of the older releases that the newest one replaced. The newest
// release's words stand in the vocabulary headers of the conversions.
#pragma once

#include <cstdint>

#include "convert/code_table.h"

namespace ovrabjt {

// "page-rotation" from "3.1.07" to "10.0.06".
inline constexpr KeywordTable<std::uint8_t, 4> kRotationKeywords{{{
    {1, "rotation-0"}, {2, "rotation-90"}, {4, "rotation-180"}, {8, "rotation-270"},
}}};

// "save-document-format" before "10.0.06".
inline constexpr KeywordTable<std::uint16_t, 4> kShortSaveFormats{{{
    {2, "single-page-tiff"},
    {4, "multi-page-tiff"},
    {8, "fast-reprint"},
    {16, "fast-reprint-and-dri"},
}}};

// "media-color" of "3.0.15": "clear" where later releases say "no-color".
inline constexpr KeywordTable<std::int16_t, 9> kMediaColors3015{{{
    {1, "white"},
    {2, "pink"},
    {4, "yellow"},
    {8, "blue"},
    {16, "green"},
    {32, "clear"},
    {256, "buff"},
    {512, "goldenrod"},
    {1024, "red"},
}}};

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
inline constexpr KeywordTable<std::int32_t, 15> kCapabilities3015{{{
    {1, "trc-supported"},
    {2, "color-destination-profile-front"},
    {3, "color-destination-profile-back"},
    {4, "undefined-source-rgb-images-supported"},
    {5, "undefined-source-rgb-graphics-supported"},
    {6, "undefined-source-rgb-text-supported"},
    {7, "undefined-source-cmyk-images-supported"},
    {8, "undefined-source-cmyk-graphics-supported"},
    {9, "undefined-source-cmyk-text-supported"},
    {10, "undefined-source-cmy-images-supported"},
    {11, "undefined-source-cmy-graphics-supported"},
    {12, "undefined-source-cmy-text-supported"},
    {13, "undefined-source-gray-images-supported"},
    {14, "undefined-source-gray-graphics-supported"},
    {15, "undefined-source-gray-text-supported"},
}}};

// Stock lists of "3.0.15": "media-library" where later releases say
// "media-col-database".
inline constexpr KeywordTable<std::int32_t, 4> kStockLists3015{{{
    {1, "media-library"},
    {2, "media-user-defined"},
    {3, "media-favorites-user-defined"},
    {4, "media-favorites-printer"},
}}};

}  // namespace ovrabjt

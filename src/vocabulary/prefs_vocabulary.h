// The capability selectors and the stock lists of the media preferences.
#pragma once

#include <cstdint>

#include "vocabulary/code_table.h"

namespace ovrabjt {

// Capability selector -> the capability attribute it reads.
inline constexpr KeywordTable<std::int32_t, 17> kCapabilities{{{
    {1, "trc-supported"},
    {2, "color-destination-profile-front-supported"},
    {3, "color-destination-profile-back-supported"},
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
    {16, "halftone-graphics-supported"},
    {17, "finishing-template-supported"},
}}};

// List kind -> the stock list attribute of a media-preferences document.
inline constexpr KeywordTable<std::int32_t, 4> kStockLists{{{
    {1, "media-col-database"},
    {2, "media-user-defined"},
    {3, "media-favorites-user-defined"},
    {4, "media-favorites-printer"},
}}};

}  // namespace ovrabjt

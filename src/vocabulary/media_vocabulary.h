// The media vocabulary: attribute names, the codes of the media record and
// the tables between codes and document values. Every table serves both
// directions. All media code reaches its vocabulary through this header, so
// a release with other words changes only what is here.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "vocabulary/code_table.h"

namespace ovrabjt {

// Attribute names, compared exactly.
namespace media_attr {
inline constexpr std::string_view kMediaCol = "media-col";
inline constexpr std::string_view kSize = "media-size";
inline constexpr std::string_view kXDimension = "x-dimension";
inline constexpr std::string_view kYDimension = "y-dimension";
inline constexpr std::string_view kHoleCount = "media-hole-count";
inline constexpr std::string_view kColor = "media-color";
inline constexpr std::string_view kType = "media-type";
inline constexpr std::string_view kOrderCount = "media-order-count";
inline constexpr std::string_view kPrePrinted = "media-pre-printed";
inline constexpr std::string_view kOpacity = "media-opacity";  // older releases
inline constexpr std::string_view kTabs = "media-tabs";        // older releases
inline constexpr std::string_view kWeightMetric = "media-weight-metric";
inline constexpr std::string_view kFrontCoating = "media-front-coating";
inline constexpr std::string_view kBackCoating = "media-back-coating";
inline constexpr std::string_view kGrain = "media-grain";
inline constexpr std::string_view kTooth = "media-tooth";
inline constexpr std::string_view kDescription = "media-description";
inline constexpr std::string_view kSides = "sides";
}  // namespace media_attr

// Codes of the media record that no keyword stands for.
namespace media_code {
inline constexpr std::uint32_t kSizeCustom = 256;  // dimensions in the edge fields
inline constexpr std::uint32_t kSizeNone = 512;
inline constexpr std::int16_t kGrainNotGiven = 4;
inline constexpr std::int16_t kToothNotGiven = 8;
inline constexpr std::int16_t kCoatingNotGiven = 1;
inline constexpr std::int16_t kColorWhite = 1;
inline constexpr std::int16_t kColorBlue = 8;
inline constexpr std::int16_t kColorNamed = 64;  // the text is in the colour name
inline constexpr std::int16_t kColorNotGiven = 128;
inline constexpr std::int16_t kTypePreCutTabs = 4;  // carries the tab order count
inline constexpr std::int16_t kTypeNamed = 16;      // the text is in the type name
inline constexpr std::int16_t kTypeNotGiven = 32;
inline constexpr std::uint8_t kHoleNotGiven = 4;
inline constexpr std::uint8_t kTypeCountGiven = 1;  // any other value: not given
inline constexpr std::uint8_t kSidesNotGiven = 8;
}  // namespace media_code

// A standard size: its code and its edges in millimetres. Sizes that are not
// recognised are written from a driver's record but never read from a
// document (there they stay custom sizes).
struct MediaSize {
  std::uint32_t code;
  std::uint16_t short_edge;
  std::uint16_t long_edge;
  bool recognised;
};

inline constexpr std::array<MediaSize, 15> kMediaSizes = {{
    {1, 216, 279, true},
    {2, 216, 356, true},
    {4, 229, 279, true},
    {8, 279, 432, true},
    {16, 210, 297, true},
    {32, 216, 330, true},
    {64, 223, 297, true},
    {128, 297, 420, true},
    {1024, 250, 353, true},
    {2048, 257, 364, true},
    {4096, 305, 457, true},
    {8192, 320, 450, true},
    {0x4000, 353, 500, true},
    {0x8000, 105, 241, false},
    {0x10000, 110, 220, false},
}};

inline constexpr KeywordTable<std::int16_t, 9> kMediaColors{{{
    {1, "white"},
    {2, "pink"},
    {4, "yellow"},
    {8, "blue"},
    {16, "green"},
    {32, "no-color"},
    {256, "buff"},
    {512, "goldenrod"},
    {1024, "red"},
}}};

// Front and back coatings share one table.
inline constexpr KeywordTable<std::int16_t, 6> kMediaCoatings{{{
    {2, "none"},
    {4, "matte"},
    {8, "glossy"},
    {16, "high-gloss"},
    {32, "semi-gloss"},
    {64, "satin"},
}}};

inline constexpr KeywordTable<std::int16_t, 2> kMediaGrains{{{
    {1, "y-grain"},
    {2, "x-grain"},
}}};

inline constexpr KeywordTable<std::int16_t, 3> kMediaTeeth{{{
    {1, "fine"},
    {2, "medium"},
    {4, "coarse"},
}}};

// "media-type" keywords; any other text is a named type.
inline constexpr KeywordTable<std::int16_t, 4> kMediaTypes{{{
    {1, "stationery"},
    {2, "transparency"},
    {media_code::kTypePreCutTabs, "pre-cut-tabs"},
    {8, "full-cut-tabs"},
}}};

// "media-pre-printed", honoured only when no "media-type" is given; it shares
// the type field.
inline constexpr KeywordTable<std::int16_t, 1> kMediaPrePrinted{{{
    {128, "pre-printed"},
}}};

// Hole code and the "media-hole-count" number.
inline constexpr NumberTable<std::uint8_t, 2> kMediaHoleCounts{{{
    {1, 0},
    {2, 3},
}}};

inline constexpr KeywordTable<std::uint8_t, 3> kSides{{{
    {1, "one-sided"},
    {2, "two-sided-long-edge"},
    {4, "two-sided-short-edge"},
}}};

}  // namespace ovrabjt

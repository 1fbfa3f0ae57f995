// The document words of the colour and image-quality settings and the ticket
// codes they stand for. Every table here is data, read in both directions,
// and each is used from one place only, so that a build for another release
// can put its own words in its place.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ticket/field.h"
#include "ticket/layout.h"
#include "vocabulary/code_table.h"
#include "vocabulary/syntax_names.h"

namespace ovrabjt {

// "rendering-intent-images", "-text" and "-graphics". The defaults, 1 in the
// job fields and 0 in a page override, have no keyword.
inline constexpr KeywordTable<std::int16_t, 6> kRenderingIntents{{{
    {2, "saturation"},
    {4, "relative-colorimetric"},
    {8, "absolute-colorimetric"},
    {16, "perceptual"},
    {32, "pure-text"},
    {64, "automatic"},
}}};

// The keywords of "color-emulation". The same attribute also carries a name
// of the driver's own, which lives in the string table.
inline constexpr std::string_view kColorEmulationAttribute = "color-emulation";
inline constexpr KeywordTable<std::uint8_t, 2> kColorEmulations{{{
    {2, "none"},
    {4, "swop"},
}}};

inline constexpr std::string_view kTrappingAttribute = "trapping";
inline constexpr KeywordTable<std::uint8_t, 2> kTrappings{{{
    {2, "off"},
    {4, "all"},
}}};
// Trap widths are not kept while trapping is off, at the job level only.
inline constexpr std::uint8_t kTrappingOff = 2;

inline constexpr std::string_view kAntiAliasingAttribute = "anti-aliasing";
inline constexpr KeywordTable<std::uint8_t, 2> kAntiAliasings{{{
    {2, "none"},
    {4, "standard"},
}}};

inline constexpr std::string_view kBlackOverprintAttribute = "black-overprint";
inline constexpr KeywordTable<std::uint8_t, 2> kBlackOverprints{{{
    {2, "black-overprint-off"},
    {4, "black-overprint-on"},
}}};

// "highlight-colorant" and "highlight-map-color". Matched in this order.
inline constexpr KeywordTable<std::int16_t, 13> kHighlightColors{{{
    {2, "red"},
    {4, "green"},
    {8, "blue"},
    {16, "cyan"},
    {32, "magenta"},
    {64, "yellow"},
    {128, "black"},
    {256, "other"},
    {512, "cardinal"},
    {1024, "royal"},
    {2048, "ruby"},
    {4096, "violet"},
    {8192, "brown"},
}}};

// "printer-resolution": the code of a square resolution in dots per inch,
// which is given in both "cross-feed" and "feed-direction".
inline constexpr std::string_view kPrinterResolutionAttribute = "printer-resolution";
inline constexpr std::string_view kCrossFeedMember = "cross-feed";
inline constexpr std::string_view kFeedDirectionMember = "feed-direction";
inline constexpr std::string_view kUnitsMember = "units";
inline constexpr NumberTable<std::uint8_t, 2> kPrinterResolutions{{{
    {2, 600},
    {4, 300},
}}};
// The "units" of dots per inch; no other unit is understood.
inline constexpr std::int32_t kDotsPerInch = 3;

// A colour-management name kept in the string table, with the field it
// lives in at either level and the syntax it is written back with.
struct ColorNameAttribute {
  std::string_view name;
  Field<std::uint16_t> job_field;
  Field<std::uint16_t> page_field;  // from the start of a page-override record
  std::string_view syntax;
};

inline constexpr std::array<ColorNameAttribute, 2> kDestinationProfiles{{
    {"color-destination-profile-front", ticket_field::kDestinationProfileFront,
     override_field::kDestinationProfileFront, kKeyword},
    {"color-destination-profile-back", ticket_field::kDestinationProfileBack,
     override_field::kDestinationProfileBack, kKeyword},
}};

// The graphics and text attributes of a colour space share one field: read in
// this order, the text one wins; both are written back with the same text.
// The cmy and gray profiles go back as names whatever syntax they came in.
inline constexpr std::array<ColorNameAttribute, 11> kUndefinedSources{{
    {"undefined-source-rgb-graphics", ticket_field::kUndefinedSourceRgb,
     override_field::kUndefinedSourceRgb, kKeyword},
    {"undefined-source-rgb-text", ticket_field::kUndefinedSourceRgb,
     override_field::kUndefinedSourceRgb, kKeyword},
    {"undefined-source-cmyk-graphics", ticket_field::kUndefinedSourceCmyk,
     override_field::kUndefinedSourceCmyk, kKeyword},
    {"undefined-source-cmyk-text", ticket_field::kUndefinedSourceCmyk,
     override_field::kUndefinedSourceCmyk, kKeyword},
    {"undefined-source-cmy-graphics", ticket_field::kUndefinedSourceCmy,
     override_field::kUndefinedSourceCmy, kName},
    {"undefined-source-cmy-text", ticket_field::kUndefinedSourceCmy,
     override_field::kUndefinedSourceCmy, kName},
    {"undefined-source-gray-graphics", ticket_field::kUndefinedSourceGray,
     override_field::kUndefinedSourceGray, kName},
    {"undefined-source-gray-text", ticket_field::kUndefinedSourceGray,
     override_field::kUndefinedSourceGray, kName},
    {"undefined-source-rgb-images", ticket_field::kUndefinedSourceRgbImages,
     override_field::kUndefinedSourceRgbImages, kKeyword},
    {"undefined-source-cmyk-images", ticket_field::kUndefinedSourceCmykImages,
     override_field::kUndefinedSourceCmykImages, kKeyword},
    {"undefined-source-cmy-images", ticket_field::kUndefinedSourceCmyImages,
     override_field::kUndefinedSourceCmyImages, kName},
}};

// The tone reproduction curve: a collection holding the curve's name.
inline constexpr std::string_view kTrcAttribute = "trc";
inline constexpr std::string_view kTrcNameAttribute = "trc-name";

// One halftone name stands for all three attributes. A page override takes
// the first present in the reading order (the job level reads graphics
// only); all three are written back, in the writing order.
inline constexpr std::array<std::string_view, 3> kHalftoneReadOrder{
    "halftone-graphics", "halftone-images", "halftone-text"};
inline constexpr std::array<std::string_view, 3> kHalftoneWriteOrder{
    "halftone-graphics", "halftone-text", "halftone-images"};

}  // namespace ovrabjt

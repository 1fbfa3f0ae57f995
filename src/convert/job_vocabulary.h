// Job-level ticket codes and the document values they stand for. Each table
// serves both directions.
#pragma once

#include <cstdint>
#include <string_view>

#include "convert/code_table.h"

namespace ovrabjt {

inline constexpr KeywordTable<std::uint16_t, 4> kHighlightMismatches{{{
    {2, "hold"},
    {4, "abort"},
    {8, "stop"},
    {16, "use-ready"},
}}};

inline constexpr KeywordTable<std::uint16_t, 5> kHighlightMaps{{{
    {2, "pictorial"},
    {4, "presentation"},
    {32, "color-tables"},
    {128, "object-based"},
    {256, "color-to-highlight"},
}}};

inline constexpr KeywordTable<std::uint8_t, 4> kPageRotations{{{
    {1, "rotate-0"},
    {2, "rotate-90"},
    {4, "rotate-180"},
    {8, "rotate-270"},
}}};

inline constexpr KeywordTable<std::uint8_t, 3> kSaveDispositions{{{
    {1, "none"},
    {2, "save-only"},
    {4, "print-save"},
}}};

// "save-document-format" MIME types.
inline constexpr KeywordTable<std::uint16_t, 4> kSaveFormats{{{
    {2, "application/X-single-page-tiff"},
    {4, "application/X-multi-page-tiff"},
    {8, "application/X-fast-reprint"},
    {16, "application/X-fast-reprint-and-dri"},
}}};

inline constexpr KeywordTable<std::uint8_t, 4> kCoverPrints{{{
    {1, "print-none"},
    {2, "print-front"},
    {4, "print-back"},
    {8, "print-both"},
}}};

// "document-format" MIME types; read only.
inline constexpr KeywordTable<std::uint8_t, 5> kDocumentFormats{{{
    {1, "application/postscript"},
    {4, "text/plain"},
    {8, "image/tiff"},
    {16, "application/vnd.hp-PCL"},
    {64, "application/pdf"},
}}};

inline constexpr KeywordTable<std::uint8_t, 2> kColorEffects{{{
    {2, "color"},
    {4, "monochrome-grayscale"},
}}};

inline constexpr KeywordTable<std::uint8_t, 2> kOpiInsertions{{{
    {2, "insert"},
    {4, "do-not-insert"},
}}};

inline constexpr KeywordTable<std::uint8_t, 3> kOpiPreScans{{{
    {2, "no-pre-scan"},
    {4, "pre-scan"},
    {8, "pre-scan-and-gather"},
}}};

inline constexpr KeywordTable<std::uint8_t, 2> kCollations{{{
    {1, "collated"},
    {2, "uncollated"},
}}};

// `orientation` and the "orientation-requested" enumeration.
inline constexpr NumberTable<std::uint8_t, 2> kOrientations{{{
    {1, 3},
    {2, 4},
}}};

// `coverMode` values.
namespace cover_mode {
inline constexpr std::uint8_t kNone = 1;
inline constexpr std::uint8_t kFront = 2;
inline constexpr std::uint8_t kBack = 4;
inline constexpr std::uint8_t kBothAlike = 8;
inline constexpr std::uint8_t kBothSeparate = 16;
inline constexpr std::uint8_t kNoCovers = 32;
}  // namespace cover_mode

inline constexpr std::uint8_t kPageRangeAll = 1;
inline constexpr std::uint8_t kPageRangeFromTo = 2;
inline constexpr std::uint8_t kSignatureImposition = 2;

// Attribute names that the two directions of the job-level mapping and the
// operations on whole tickets share.
inline constexpr std::string_view kImpositionTemplateAttribute = "imposition-template";
inline constexpr std::string_view kCoverFrontAttribute = "cover-front";
inline constexpr std::string_view kCoverBackAttribute = "cover-back";
inline constexpr std::string_view kInsertSheetAttribute = "insert-sheet";
inline constexpr std::string_view kForceFrontSideAttribute = "force-front-side";

// The member of "finishings-col" that names the finishing template.
inline constexpr std::string_view kFinishingTemplateAttribute = "finishing-template";

// The "imposition-template" name that stands for signature imposition,
// compared exactly as every name is.
inline constexpr std::string_view kSignatureTemplate = "signature";

inline constexpr std::string_view kSaveLocation = "file:///job-repository/";
inline constexpr std::string_view kDocumentRepository = "file:///job-repository";

}  // namespace ovrabjt

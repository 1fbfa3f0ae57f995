// Which group element of an ovra document holds each top-level attribute:
// the operation attributes or the job-template attributes. One table, read
// through ClassifyOvraAttribute; names are compared exactly (case matters).
// Members of collections are never classified.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "releases/release_profile.h"

namespace ovrabjt {

enum class OvraAttributeGroup : std::uint8_t { kNone, kOperation, kJobTemplate };

// The group elements under the ovra root.
inline constexpr std::string_view kOperationGroupElement = "ovra-operation-attributes";
inline constexpr std::string_view kJobTemplateGroupElement = "job-template-attributes";

struct OvraAttributeEntry {
  std::string_view name;
  OvraAttributeGroup group;
};

inline constexpr std::size_t kOvraOperationAttributeCount = 11;
inline constexpr std::size_t kOvraJobTemplateAttributeCount = 128;

// Every top-level attribute an ovra document may hold, with its group.
inline constexpr auto kOvraAttributeGroups = [] {
  using enum OvraAttributeGroup;
  return std::array<OvraAttributeEntry,
                    kOvraOperationAttributeCount + kOvraJobTemplateAttributeCount>{{
      {"job-name", kOperation},
      {"document-name", kOperation},
      {"document-format", kOperation},
      {"document-uri", kOperation},
      {"compression", kOperation},
      {"job-k-octets", kOperation},
      {"job-impressions", kOperation},
      {"requesting-user-name", kOperation},
      {"job-media-sheets", kOperation},
      {"job-password", kOperation},
      {"job-password-encryption", kOperation},
      {"job-priority", kJobTemplate},
      {"job-hold-until", kJobTemplate},
      {"job-sheets", kJobTemplate},
      {"multiple-document-handling", kJobTemplate},
      {"copies", kJobTemplate},
      {"finishings", kJobTemplate},
      {"page-ranges", kJobTemplate},
      {"sides", kJobTemplate},
      {"number-up", kJobTemplate},
      {"orientation-requested", kJobTemplate},
      {"media", kJobTemplate},
      {"printer-resolution", kJobTemplate},
      {"print-quality", kJobTemplate},
      {"output-bin", kJobTemplate},
      {"cover-back", kJobTemplate},
      {"cover-front", kJobTemplate},
      {"imposition-template", kJobTemplate},
      {"insert-sheet", kJobTemplate},
      {"job-account-id", kJobTemplate},
      {"job-accounting-sheets", kJobTemplate},
      {"job-error-sheet", kJobTemplate},
      {"job-message-to-operator", kJobTemplate},
      {"job-recipient-name", kJobTemplate},
      {"job-save-disposition", kJobTemplate},
      {"job-sheets-col", kJobTemplate},
      {"job-sheet-message", kJobTemplate},
      {"media-col", kJobTemplate},
      {"page-delivery", kJobTemplate},
      {"page-order-received", kJobTemplate},
      {"separator-sheets", kJobTemplate},
      {"sheet-collate", kJobTemplate},
      {"x-image-auto-center", kJobTemplate},
      {"x-image-shift", kJobTemplate},
      {"x-side1-image-shift", kJobTemplate},
      {"x-side2-image-shift", kJobTemplate},
      {"y-image-auto-center", kJobTemplate},
      {"y-image-shift", kJobTemplate},
      {"y-side1-image-shift", kJobTemplate},
      {"y-side2-image-shift", kJobTemplate},
      {"document-overrides", kJobTemplate},
      {"page-overrides", kJobTemplate},
      {"pages-per-subset", kJobTemplate},
      {"black-overprint", kJobTemplate},
      {"adjust-cyan-red", kJobTemplate},
      {"adjust-magenta-green", kJobTemplate},
      {"adjust-yellow-blue", kJobTemplate},
      {"adjust-contrast", kJobTemplate},
      {"adjust-lightness", kJobTemplate},
      {"adjust-saturation", kJobTemplate},
      {"color-destination-profile-back", kJobTemplate},
      {"color-destination-profile-front", kJobTemplate},
      {"color-effects-type", kJobTemplate},
      {"color-emulation", kJobTemplate},
      {"force-front-side", kJobTemplate},
      {"print-from-saved-attributes", kJobTemplate},
      {"trapping", kJobTemplate},
      {"rendering-intent-graphics", kJobTemplate},
      {"rendering-intent-images", kJobTemplate},
      {"rendering-intent-text", kJobTemplate},
      {"source-cmy-graphics", kJobTemplate},
      {"undefined-source-cmy-graphics", kJobTemplate},
      {"source-cmy-images", kJobTemplate},
      {"undefined-source-cmy-images", kJobTemplate},
      {"source-cmy-text", kJobTemplate},
      {"undefined-source-cmy-text", kJobTemplate},
      {"source-cmyk-graphics", kJobTemplate},
      {"undefined-source-cmyk-graphics", kJobTemplate},
      {"source-cmyk-images", kJobTemplate},
      {"undefined-source-cmyk-images", kJobTemplate},
      {"source-cmyk-text", kJobTemplate},
      {"undefined-source-cmyk-text", kJobTemplate},
      {"source-gray-graphics", kJobTemplate},
      {"undefined-source-gray-graphics", kJobTemplate},
      {"source-gray-images", kJobTemplate},
      {"undefined-source-gray-images", kJobTemplate},
      {"source-gray-text", kJobTemplate},
      {"undefined-source-gray-text", kJobTemplate},
      {"source-rgb-graphics", kJobTemplate},
      {"undefined-source-rgb-graphics", kJobTemplate},
      {"source-rgb-images", kJobTemplate},
      {"undefined-source-rgb-images", kJobTemplate},
      {"source-rgb-text", kJobTemplate},
      {"undefined-source-rgb-text", kJobTemplate},
      {"trc", kJobTemplate},
      {"trc-type", kJobTemplate},
      {"trc-name", kJobTemplate},
      {"trc-cyan-data", kJobTemplate},
      {"trc-magenta-data", kJobTemplate},
      {"trc-yellow-data", kJobTemplate},
      {"trc-black-data", kJobTemplate},
      {"bleed-edge-printing", kJobTemplate},
      {"finishings-col", kJobTemplate},
      {"finishing-template", kJobTemplate},
      {"stitching", kJobTemplate},
      {"stitching-reference-edge", kJobTemplate},
      {"stitching-offset", kJobTemplate},
      {"stitching-locations", kJobTemplate},
      {"anti-aliasing", kJobTemplate},
      {"opi-image-insertion", kJobTemplate},
      {"opi-image-pre-scan", kJobTemplate},
      {"resource-pre-scan", kJobTemplate},
      {"lead-edge-conditioning", kJobTemplate},
      {"print-document-uri", kJobTemplate},
      {"resource-cleanup", kJobTemplate},
      {"font-name-requested", kJobTemplate},
      {"font-size-requested", kJobTemplate},
      {"job-accounting-user-id", kJobTemplate},
      {"proof-print", kJobTemplate},
      {"color-depth-yyy", kJobTemplate},
      {"job-hold-until-time", kJobTemplate},
      {"feed-orientation", kJobTemplate},
      {"media-input-tray-check", kJobTemplate},
      {"presentation-direction", kJobTemplate},
      {"x-image-position", kJobTemplate},
      {"y-image-position", kJobTemplate},
      {"page-rotation", kJobTemplate},
      {"highlight-colorant", kJobTemplate},
      {"highlight-map-color", kJobTemplate},
      {"highlight-map", kJobTemplate},
      {"highlight-colorant-mismatch", kJobTemplate},
      {"job-phone-number", kJobTemplate},
      {"halftone-graphics", kJobTemplate},
      {"halftone-text", kJobTemplate},
      {"halftone-images", kJobTemplate},
      {"trap-width-fast", kJobTemplate},
      {"trap-width-slow", kJobTemplate},
      {"finishings-template", kJobTemplate},
      {"presentation-direction-number-up", kJobTemplate},
  }};
}();

// ClassifyOvraAttribute - the group of the top-level attribute `name` in the
// newest release; kNone for a name outside the table.
constexpr OvraAttributeGroup ClassifyOvraAttribute(std::string_view name) {
  for (const OvraAttributeEntry& entry : kOvraAttributeGroups) {
    if (entry.name == name) return entry.group;
  }
  return OvraAttributeGroup::kNone;
}

// ClassifyOvraAttribute - the group of `name` in `release`, which may lack an
// attribute or call it by an older name.
OvraAttributeGroup ClassifyOvraAttribute(std::string_view name, const ReleaseProfile& release);

}  // namespace ovrabjt

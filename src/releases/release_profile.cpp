#include "releases/release_profile.h"

#include <algorithm>
#include <array>

#include "convert/colour/colour_vocabulary.h"
#include "convert/job_vocabulary.h"
#include "convert/media/media_vocabulary.h"
#include "prefs/prefs_vocabulary.h"
#include "releases/older_vocabulary.h"

#ifndef OVRABJT_RELEASE
#define OVRABJT_RELEASE "3.6.09"
#endif

namespace ovrabjt {

namespace {

// The templates differ only in the document type, "qrcs-version" and what the
// ovra root holds.
#define OVRABJT_DECLARATION "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
#define OVRABJT_TEMPLATES(dtd, qrcs, ovra_content)                                        \
  DocumentTemplates {                                                                     \
    OVRABJT_DECLARATION "\r\n<!DOCTYPE ovra SYSTEM \"" dtd "\">\r\n"                      \
                        "<ovra version=\"1.0\" qrcs-version=\"" qrcs                      \
                        "\" xml:lang=\"en-US\">" ovra_content "</ovra>",                  \
        OVRABJT_DECLARATION "<kesp version=\"1.0\" qrcs-version=\"" qrcs                  \
                            "\" xml:lang=\"en-US\"> </kesp>",                             \
        OVRABJT_DECLARATION "<mediaprefs version=\"1.0\" qrcs-version=\"" qrcs            \
                            "\" xml:lang=\"en-US\"> </mediaprefs>"                        \
  }

// Top-level attributes that only "3.6.09" knows.
constexpr std::array<std::string_view, 7> kAbsentBefore3609 = {
    "halftone-graphics", "halftone-text",       "halftone-images",
    "trap-width-fast",   "trap-width-slow",     "finishings-template",
    "presentation-direction-number-up",
};

constexpr std::array<std::string_view, 17> kAbsentIn3015 = {
    "halftone-graphics",   "halftone-text",      "halftone-images",
    "trap-width-fast",     "trap-width-slow",    "finishings-template",
    "presentation-direction-number-up",          "media-input-tray-check",
    "page-rotation",       "presentation-direction",
    "x-image-position",    "y-image-position",   "job-phone-number",
    "highlight-colorant",  "highlight-colorant-mismatch",
    "highlight-map",       "highlight-map-color",
};

constexpr std::array<AttributeRename, 3> kRenamedIn3015 = {{
    {"page-exceptions", "page-overrides"},
    {"document-exceptions", "document-overrides"},
    {"font-name", "font-name-requested"},
}};

constexpr KeywordView<std::uint8_t> kNoRotations{};
constexpr KeywordView<std::int16_t> kNoWords{};

// Release "3.0.15": its own names for page overrides, their documents, the
// font, clear media, the media library and two capabilities; no media
// types, highlights, phone number, page rotation, saved-job name or
// repository, halftones, trap widths, grain or tooth.
constexpr ReleaseProfile k3015{
    .file_version = "3.0.15",
    .ovra_dtd = "ovra-v10.dtd",
    .templates = OVRABJT_TEMPLATES("ovra-v10.dtd", "1.2", " "),
    .application_object = false,
    .absent_attributes = kAbsentIn3015,
    .renamed_attributes = kRenamedIn3015,
    .page_overrides = "page-exceptions",
    .input_documents = "output-documents",
    .font_name = "font-name",
    .phone_number = false,
    .highlights = false,
    .separator_sheets_type = false,
    .save_name = false,
    .repository = false,
    .finishings_template_alias = false,
    .halftones = false,
    .trap_widths = false,
    .media_type = false,
    .default_media_description = "Standard",
    .page_rotations = kNoRotations,
    .save_formats = kShortSaveFormats,
    .media_colors = kMediaColors3015,
    .media_grains = kNoWords,
    .media_teeth = kNoWords,
    .capabilities = kCapabilities3015,
    .stock_lists = kStockLists3015,
};

// Releases "3.1.07" to "10.0.06": the newest vocabulary but halftones, trap
// widths, grain and tooth, the second finishing-template name and two
// capabilities; page rotations said "rotation-".
constexpr ReleaseProfile Middle(std::string_view version, std::string_view dtd,
                                DocumentTemplates templates, bool repository) {
  return {
      .file_version = version,
      .ovra_dtd = dtd,
      .templates = templates,
      .application_object = true,
      .absent_attributes = kAbsentBefore3609,
      .renamed_attributes = {},
      .page_overrides = "page-overrides",
      .input_documents = "input-documents",
      .font_name = "font-name-requested",
      .phone_number = true,
      .highlights = true,
      .separator_sheets_type = true,
      .save_name = true,
      .repository = repository,
      .finishings_template_alias = false,
      .halftones = false,
      .trap_widths = false,
      .media_type = true,
      .default_media_description = "",
      .page_rotations = kRotationKeywords,
      .save_formats = repository ? kSaveFormats.view() : kShortSaveFormats.view(),
      .media_colors = kMediaColors,
      .media_grains = kNoWords,
      .media_teeth = kNoWords,
      .capabilities = {std::span(kCapabilities.entries).first(15)},
      .stock_lists = kStockLists,
  };
}

constexpr ReleaseProfile k3107 =
    Middle("3.1.07", "ovra-v2000.dtd", OVRABJT_TEMPLATES("ovra-v2000.dtd", "1.2", ""), false);
constexpr ReleaseProfile k3201 =
    Middle("3.2.01", "ovra-v2000.dtd", OVRABJT_TEMPLATES("ovra-v2000.dtd", "1.2", ""), false);
constexpr ReleaseProfile k10006 =
    Middle("10.0.06", "ovra-v02010.dtd", OVRABJT_TEMPLATES("ovra-v02010.dtd", "2.01", ""), true);

constexpr ReleaseProfile k3609{
    .file_version = "3.6.09",
    .ovra_dtd = "ovra-v02012.dtd",
    .templates = OVRABJT_TEMPLATES("ovra-v02012.dtd", "2.01", ""),
    .application_object = true,
    .absent_attributes = {},
    .renamed_attributes = {},
    .page_overrides = "page-overrides",
    .input_documents = "input-documents",
    .font_name = "font-name-requested",
    .phone_number = true,
    .highlights = true,
    .separator_sheets_type = true,
    .save_name = true,
    .repository = true,
    .finishings_template_alias = true,
    .halftones = true,
    .trap_widths = true,
    .media_type = true,
    .default_media_description = "",
    .page_rotations = kPageRotations,
    .save_formats = kSaveFormats,
    .media_colors = kMediaColors,
    .media_grains = kMediaGrains,
    .media_teeth = kMediaTeeth,
    .capabilities = kCapabilities,
    .stock_lists = kStockLists,
};

#undef OVRABJT_TEMPLATES
#undef OVRABJT_DECLARATION

constexpr std::array<const ReleaseProfile*, 5> kReleases = {&k3015, &k3107, &k3201, &k10006,
                                                            &k3609};

}  // namespace

bool ReleaseProfile::KnowsAttribute(std::string_view name) const {
  const auto renamed = [&](const AttributeRename& r) { return r.newer == name; };
  return std::find(absent_attributes.begin(), absent_attributes.end(), name) ==
             absent_attributes.end() &&
         std::none_of(renamed_attributes.begin(), renamed_attributes.end(), renamed);
}

const ReleaseProfile& LatestRelease() { return k3609; }

const ReleaseProfile& BuildRelease() {
  static const ReleaseProfile* const kBuild = FindRelease(OVRABJT_RELEASE);
  return kBuild ? *kBuild : k3609;
}

const ReleaseProfile* FindRelease(std::string_view file_version) {
  for (const ReleaseProfile* r : kReleases)
    if (r->file_version == file_version) return r;
  return nullptr;
}

std::span<const ReleaseProfile* const> AllReleases() { return kReleases; }

}  // namespace ovrabjt

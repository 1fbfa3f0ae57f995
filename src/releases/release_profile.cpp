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
#define OVRABJT_TEMPLATES(dtd, qrcs, ovra_content)                             \
  DocumentTemplates {                                                          \
    OVRABJT_DECLARATION "\r\n<!DOCTYPE ovra SYSTEM \"" dtd                     \
                        "\">\r\n"                                              \
                        "<ovra version=\"1.0\" qrcs-version=\"" qrcs           \
                        "\" xml:lang=\"en-US\">" ovra_content "</ovra>",       \
        OVRABJT_DECLARATION "<kesp version=\"1.0\" qrcs-version=\"" qrcs       \
                            "\" xml:lang=\"en-US\"> </kesp>",                  \
        OVRABJT_DECLARATION "<mediaprefs version=\"1.0\" qrcs-version=\"" qrcs \
                            "\" xml:lang=\"en-US\"> </mediaprefs>"             \
  }

// Top-level attributes that only "3.6.09" knows.
constexpr std::array<std::string_view, 7> kAbsentBefore3609 = {
    "halftone-graphics",
    "halftone-text",
    "halftone-images",
    "trap-width-fast",
    "trap-width-slow",
    "finishings-template",
    "presentation-direction-number-up",
};

constexpr std::array<std::string_view, 17> kAbsentIn3015 = {
    "halftone-graphics",
    "halftone-text",
    "halftone-images",
    "trap-width-fast",
    "trap-width-slow",
    "finishings-template",
    "presentation-direction-number-up",
    "media-input-tray-check",
    "page-rotation",
    "presentation-direction",
    "x-image-position",
    "y-image-position",
    "job-phone-number",
    "highlight-colorant",
    "highlight-colorant-mismatch",
    "highlight-map",
    "highlight-map-color",
};

constexpr std::array<AttributeRename, 3> kRenamedIn3015 = {{
    {"page-exceptions", "page-overrides"},
    {"document-exceptions", "document-overrides"},
    {"font-name", "font-name-requested"},
}};

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

// Releases "3.1.07" to "10.0.06": the newest release without halftones,
// trap widths, grain and tooth, the second finishing-template name and
// capabilities 16 and 17; page rotations are "rotation-" words. Before
// "10.0.06" also without the repository, and with short save formats.
constexpr ReleaseProfile Middle(std::string_view version, std::string_view dtd,
                                DocumentTemplates templates, bool repository) {
  ReleaseProfile r = k3609;
  r.file_version = version;
  r.ovra_dtd = dtd;
  r.templates = templates;
  r.absent_attributes = kAbsentBefore3609;
  r.repository = repository;
  r.finishings_template_alias = false;
  r.halftones = false;
  r.trap_widths = false;
  r.page_rotations = kRotationKeywords;
  r.save_formats = repository ? kSaveFormats.view() : kShortSaveFormats.view();
  r.media_grains = {};
  r.media_teeth = {};
  r.capabilities = {std::span(kCapabilities.entries).first(15)};
  return r;
}

constexpr ReleaseProfile k3107 =
    Middle("3.1.07", "ovra-v2000.dtd", OVRABJT_TEMPLATES("ovra-v2000.dtd", "1.2", ""), false);
constexpr ReleaseProfile k3201 =
    Middle("3.2.01", "ovra-v2000.dtd", OVRABJT_TEMPLATES("ovra-v2000.dtd", "1.2", ""), false);
constexpr ReleaseProfile k10006 =
    Middle("10.0.06", "ovra-v02010.dtd", OVRABJT_TEMPLATES("ovra-v02010.dtd", "2.01", ""), true);

// Release "3.0.15": as "3.1.07", with its own names for page overrides,
// their documents, the font, clear media, the media library and two
// capabilities; without media types, highlights, phone number, page
// rotation, saved-job name and slip-sheet type; no application object.
constexpr ReleaseProfile Make3015() {
  ReleaseProfile r =
      Middle("3.0.15", "ovra-v10.dtd", OVRABJT_TEMPLATES("ovra-v10.dtd", "1.2", " "), false);
  r.application_object = false;
  r.absent_attributes = kAbsentIn3015;
  r.renamed_attributes = kRenamedIn3015;
  r.page_overrides = "page-exceptions";
  r.input_documents = "output-documents";
  r.font_name = "font-name";
  r.phone_number = false;
  r.highlights = false;
  r.separator_sheets_type = false;
  r.save_name = false;
  r.media_type = false;
  r.default_media_description = "Standard";
  r.page_rotations = {};
  r.media_colors = kMediaColors3015;
  r.capabilities = kCapabilities3015;
  r.stock_lists = kStockLists3015;
  return r;
}
constexpr ReleaseProfile k3015 = Make3015();

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

// What differs between the releases of the module: the document templates,
// parts of the attribute vocabulary and how the module starts. Everything
// else is the same in every release. Every place that depends on the release
// asks a profile; the conversions take one as a parameter, so that one
// process can work in any release.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "vocabulary/code_table.h"
#include "vocabulary/older_vocabulary.h"

namespace ovrabjt {

// The empty document of each kind, from which every written document starts.
struct DocumentTemplates {
  std::string_view ovra;
  std::string_view kesp;
  std::string_view mediaprefs;
};

struct ReleaseProfile {
  std::string_view file_version;  // "3.6.09"
  std::string_view ovra_dtd;      // the ovra document type's system identifier
  DocumentTemplates templates;
  // From "3.1.07" on an application object starts and stops the XML
  // library; before, the library's load notifications do it directly.
  bool application_object;

  // Top-level ovra attributes this release does not know, and those it
  // names differently (both as the newest release's names).
  std::span<const std::string_view> absent_attributes;
  std::span<const AttributeRename> renamed_attributes;

  // Names of this release for attributes that were renamed.
  std::string_view page_overrides;   // "page-overrides"
  std::string_view input_documents;  // "input-documents"
  std::string_view font_name;        // "font-name-requested"

  // Vocabulary that only some releases have.
  bool phone_number;               // "job-phone-number"
  bool highlights;                 // the four "highlight-..." attributes
  bool separator_sheets_type;      // "separator-sheets-type" "slip-sheets"
  bool save_name;                  // "save-name"
  bool repository;                 // "save-location", and "document-uri" in the repository
  bool finishings_template_alias;  // "finishings-template" read as "finishings-col"
  bool halftones;                  // "halftone-graphics", "-images", "-text"
  bool trap_widths;                // "trap-width-fast", "trap-width-slow"
  bool media_type;                 // "media-type"; without it "media-opacity" and "media-tabs"
  // Copied into a medium's description when its collection has none.
  std::string_view default_media_description;

  KeywordView<std::uint8_t> page_rotations;  // empty: no "page-rotation"
  KeywordView<std::uint16_t> save_formats;   // "save-document-format" values
  KeywordView<std::int16_t> media_colors;
  KeywordView<std::int16_t> media_grains;  // empty: no "media-grain"
  KeywordView<std::int16_t> media_teeth;   // empty: no "media-tooth"
  KeywordView<std::int32_t> capabilities;  // capability selector -> attribute
  KeywordView<std::int32_t> stock_lists;   // stock list kind -> attribute

  // Whether the release knows the top-level ovra attribute `name` (a name
  // of the newest release).
  bool KnowsAttribute(std::string_view name) const;
};

// LatestRelease - the newest release, "3.6.09".
const ReleaseProfile& LatestRelease();

// BuildRelease - the release this build is made for (chosen when the build
// is configured; the newest by default). The shared library works in it.
const ReleaseProfile& BuildRelease();

// FindRelease - the profile of a file version ("3.0.15"), or null.
const ReleaseProfile* FindRelease(std::string_view file_version);

// AllReleases - every release, oldest first.
std::span<const ReleaseProfile* const> AllReleases();

}  // namespace ovrabjt

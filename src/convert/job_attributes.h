// The job level's attribute names, each spelled once: the builder and the
// reader of the job level take them from here, as the media and colour
// settings take theirs from their own tables.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "attr/attr_value.h"
#include "releases/release_profile.h"
#include "ticket/field.h"
#include "ticket/layout.h"

namespace ovrabjt {

namespace job_attr {
inline constexpr std::string_view kCopies = "copies";
inline constexpr std::string_view kPageRanges = "page-ranges";
inline constexpr std::string_view kFinishings = "finishings";
inline constexpr std::string_view kSeparatorSheets = "separator-sheets";
inline constexpr std::string_view kSeparatorSheetsType = "separator-sheets-type";
inline constexpr std::string_view kFinishingsCol = "finishings-col";
inline constexpr std::string_view kFinishingsTemplate = "finishings-template";  // read only
inline constexpr std::string_view kHighlightColorant = "highlight-colorant";
inline constexpr std::string_view kHighlightMismatch = "highlight-colorant-mismatch";
inline constexpr std::string_view kHighlightMapColor = "highlight-map-color";
inline constexpr std::string_view kHighlightMap = "highlight-map";
inline constexpr std::string_view kColorEffects = "color-effects-type";
inline constexpr std::string_view kOpiInsertion = "opi-image-insertion";
inline constexpr std::string_view kOpiPreScan = "opi-image-pre-scan";
inline constexpr std::string_view kJobSaveDisposition = "job-save-disposition";  // written only
inline constexpr std::string_view kSaveDisposition = "save-disposition";
inline constexpr std::string_view kSaveInfo = "save-info";
inline constexpr std::string_view kSaveDocumentFormat = "save-document-format";
inline constexpr std::string_view kSaveName = "save-name";
inline constexpr std::string_view kSaveLocation = "save-location";
inline constexpr std::string_view kDocumentUri = "document-uri";        // written only
inline constexpr std::string_view kDocumentFormat = "document-format";  // read only
inline constexpr std::string_view kFontSize = "font-size";              // read only
inline constexpr std::string_view kFontSizeRequested = "font-size-requested";
inline constexpr std::string_view kOrientation = "orientation-requested";
inline constexpr std::string_view kPageRotation = "page-rotation";
inline constexpr std::string_view kSheetCollate = "sheet-collate";
inline constexpr std::string_view kCoverType = "cover-type";
inline constexpr std::string_view kPages = "pages";
inline constexpr std::string_view kInsertAfterPage = "insert-after-page-number";
inline constexpr std::string_view kInsertCount = "insert-count";
}  // namespace job_attr

// The "separator-sheets-type" keyword of slip sheets.
inline constexpr std::string_view kSlipSheets = "slip-sheets";

// A text of the job: its attribute, its field and its syntax when written.
// `known` names the release's switch for a text that only some releases
// have; null for texts every release has.
struct JobText {
  std::string_view name;
  TextField field;
  std::string_view syntax;
  bool ReleaseProfile::*known = nullptr;

  constexpr bool KnownIn(const ReleaseProfile& release) const {
    return known == nullptr || release.*known;
  }
};

namespace job_text {
inline constexpr JobText kJobName{"job-name", ticket_field::kJobName, kName};
inline constexpr JobText kUserName{"requesting-user-name", ticket_field::kUserName, kName};
inline constexpr JobText kPhoneNumber{"job-phone-number", ticket_field::kPhoneNumber, kText,
                                      &ReleaseProfile::phone_number};
inline constexpr JobText kAccountId{"job-account-id", ticket_field::kAccountId, kName};
inline constexpr JobText kRecipientName{"job-recipient-name", ticket_field::kRecipientName, kName};
inline constexpr JobText kSheetMessage{"job-sheet-message", ticket_field::kSheetMessage, kText};
inline constexpr JobText kOperatorMessage{"job-message-to-operator", ticket_field::kOperatorMessage,
                                          kText};
}  // namespace job_text

// The texts in the order a document's are read.
inline constexpr std::array<JobText, 7> kJobTextsReadOrder = {
    job_text::kJobName,       job_text::kAccountId,    job_text::kUserName,
    job_text::kRecipientName, job_text::kSheetMessage, job_text::kOperatorMessage,
    job_text::kPhoneNumber,
};

// An image shift, in hundredths of a millimetre, at the job level and in a
// page override, with the override's bit that marks it absent. (The job
// marks all four with one bit.)
struct ImageShift {
  std::string_view name;
  Field<std::int16_t> job_field;
  Field<std::int16_t> page_field;
  std::uint8_t page_absent;
};

// In the order they are written at both levels.
inline constexpr std::array<ImageShift, 4> kImageShifts = {{
    {"x-side1-image-shift", ticket_field::kShiftX1, override_field::kShiftX1,
     override_flag::kShiftX1},
    {"x-side2-image-shift", ticket_field::kShiftX2, override_field::kShiftX2,
     override_flag::kShiftX2},
    {"y-side1-image-shift", ticket_field::kShiftY1, override_field::kShiftY1,
     override_flag::kShiftY1},
    {"y-side2-image-shift", ticket_field::kShiftY2, override_field::kShiftY2,
     override_flag::kShiftY2},
}};

}  // namespace ovrabjt

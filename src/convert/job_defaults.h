// What a fresh ticket holds: every field that is not zero in an initialised
// record, with its value. The record is zeroed first; these tables then give
// the format's defaults, mostly codes that mean "not given".
#pragma once

#include <array>
#include <cstdint>

#include "convert/field_defaults.h"
#include "ticket/field.h"
#include "ticket/layout.h"
#include "vocabulary/finishings.h"
#include "vocabulary/job_vocabulary.h"
#include "vocabulary/media_vocabulary.h"

namespace ovrabjt {

// Defaults that no keyword stands for.
namespace not_given {
// The one-byte switches (OPI, colour effects, colour emulation, printer
// resolution, trapping, anti-aliasing, black overprint), whose keywords
// start at 2.
inline constexpr std::uint8_t kSwitch = 1;
// The highlight colours and settings, whose keywords start at 2.
inline constexpr std::int16_t kHighlight = 1;
// The job's rendering intents; a page override's are 0.
inline constexpr std::int16_t kRenderingIntent = 1;
inline constexpr std::uint16_t kSaveFormat = 1;
inline constexpr std::uint8_t kPageRotation = 32;
inline constexpr std::uint8_t kOrientation = 4;  // neither portrait (1) nor landscape (2)
inline constexpr std::uint8_t kCollate = 4;      // neither collated (1) nor uncollated (2)
}  // namespace not_given

// Defaults that a keyword or a plain value stands for.
inline constexpr std::int32_t kFirstPageDefault = 1;
inline constexpr std::int32_t kLastPageDefault = 99999;  // past any real job's last page
inline constexpr std::uint8_t kSaveDispositionNone = 1;  // "none": the job is not saved
inline constexpr std::uint8_t kSignatureNone = 1;        // no signature imposition
inline constexpr std::uint8_t kCoverPrintNone = 1;       // "print-none"

// Fields the conversion never reads or changes hold what the driver writes
// in an untouched ticket, so that a ticket made here looks like one of its
// own to the driver.
inline constexpr std::uint32_t kReserved0Default = 1024;
inline constexpr std::uint32_t kReserved8Default = 1;
inline constexpr std::uint16_t kReserved68Default = 32;
inline constexpr std::uint16_t kReserved110Default = 75;
inline constexpr std::uint8_t kReservedByteDefault = 1;  // the bytes 116 to 119 and 122

// The job level, in the order of the record.
inline constexpr auto kJobDefaults = [] {
  namespace tf = ticket_field;
  return std::to_array<FieldDefault>({
      {tf::kReserved0, kReserved0Default},  // the driver's, never converted
      {tf::kReserved8, kReserved8Default},  // the driver's, never converted
      {tf::kFirstPage, kFirstPageDefault},  // all pages: first to last
      {tf::kLastPage, kLastPageDefault},
      {tf::kFinishing, kFinishingNone},
      {tf::kJobMedia, kNoMedia},
      {tf::kRenderingIntentImages, not_given::kRenderingIntent},
      {tf::kRenderingIntentText, not_given::kRenderingIntent},
      {tf::kRenderingIntentGraphics, not_given::kRenderingIntent},
      {tf::kSaveFormat, not_given::kSaveFormat},
      {tf::kReserved68, kReserved68Default},  // the driver's, never converted
      {tf::kJobFlags, job_flag::kAllAbsent},  // every value not given
      {tf::kHighlightColorant, not_given::kHighlight},
      {tf::kHighlightMismatch, not_given::kHighlight},
      {tf::kHighlightMapColor, not_given::kHighlight},
      {tf::kHighlightMap, not_given::kHighlight},
      {tf::kReserved110, kReserved110Default},  // the driver's, never converted
      {tf::kPageRotation, not_given::kPageRotation},
      {tf::kPageRangeMode, kPageRangeAll},
      {tf::kReserved116, kReservedByteDefault},  // the driver's, never converted
      {tf::kReserved117, kReservedByteDefault},  // the driver's, never converted
      {tf::kReserved118, kReservedByteDefault},  // the driver's, never converted
      {tf::kReserved119, kReservedByteDefault},  // the driver's, never converted
      {tf::kSaveDisposition, kSaveDispositionNone},
      {tf::kReserved122, kReservedByteDefault},  // the driver's, never converted
      {tf::kSignature, kSignatureNone},
      {tf::kOrientation, not_given::kOrientation},
      {tf::kCollate, not_given::kCollate},
      {tf::kSides, media_code::kSidesNotGiven},
      {tf::kOpiInsertion, not_given::kSwitch},
      {tf::kOpiPreScan, not_given::kSwitch},
      {tf::kColorEmulation, not_given::kSwitch},
      {tf::kColorEmulationCopy, not_given::kSwitch},
      {tf::kPrinterResolution, not_given::kSwitch},
      {tf::kColorEffects, not_given::kSwitch},
      {tf::kTrapping, not_given::kSwitch},
      {tf::kAntiAliasing, not_given::kSwitch},
      {tf::kBlackOverprint, not_given::kSwitch},
      {tf::kCoverMode, cover_mode::kNone},
      {tf::kFrontCoverPrint, kCoverPrintNone},
      {tf::kBackCoverPrint, kCoverPrintNone},
      {tf::kFrontCoverMedia, kNoMedia},
      {tf::kBackCoverMedia, kNoMedia},
  });
}();

// Every page-override record; offsets from the start of the record.
inline constexpr auto kOverrideDefaults = [] {
  namespace of = override_field;
  return std::to_array<FieldDefault>({
      {of::kMedia, kNoMedia},
      {of::kFlagsWord, override_flag::kFreshWord},  // every value not given
      {of::kSides, media_code::kSidesNotGiven},
      {of::kPageRotation, not_given::kPageRotation},
      {of::kAntiAliasing, not_given::kSwitch},
      {of::kBlackOverprint, not_given::kSwitch},
      {of::kTrapping, not_given::kSwitch},
  });
}();

// Every inserted-sheet record.
inline constexpr auto kInsertDefaults = std::to_array<FieldDefault>({
    {insert_field::kMedia, kNoMedia},
});

static_assert(InRecordOrder(kJobDefaults));
static_assert(InRecordOrder(kOverrideDefaults));
static_assert(InRecordOrder(kInsertDefaults));

}  // namespace ovrabjt

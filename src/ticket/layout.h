// The byte layout of the binary job ticket: every field the module reads or
// writes, by name. No other file spells an offset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "ticket/field.h"

namespace ovrabjt {

inline constexpr std::size_t kTicketSize = 34368;
inline constexpr std::size_t kMediaRecordSize = 350;
inline constexpr std::size_t kOverrideRecordSize = 76;
inline constexpr std::size_t kInsertRecordSize = 12;

inline constexpr std::size_t kMediaSlots = 20;
inline constexpr std::size_t kMaxOverrides = 250;
inline constexpr std::size_t kMaxInserts = 250;
inline constexpr std::size_t kMaxForceFront = 250;

// Texts in the string table hold at most this many characters.
inline constexpr std::size_t kMaxTicketString = 1000;

// MediaId of "no medium".
inline constexpr std::uint32_t kNoMedia = 0x80000;

namespace ticket_field {

// Frame.
inline constexpr Field<std::uint16_t> kStringCount{58};
// In memory the string list lives outside the record, so this stays 0; in the
// packed form it holds the byte size of the strings area.
inline constexpr Field<std::uint32_t> kStringsSize{34364};

// Fields that the conversion only initialises.
inline constexpr Field<std::uint32_t> kReserved0{0};
inline constexpr Field<std::uint32_t> kReserved8{8};
inline constexpr Field<std::uint16_t> kReserved68{68};
inline constexpr Field<std::uint16_t> kReserved110{110};
inline constexpr Field<std::uint8_t> kReserved116{116};
inline constexpr Field<std::uint8_t> kReserved117{117};
inline constexpr Field<std::uint8_t> kReserved118{118};
inline constexpr Field<std::uint8_t> kReserved119{119};
inline constexpr Field<std::uint8_t> kReserved122{122};

// Job level.
inline constexpr Field<std::int32_t> kCopies{12};
inline constexpr Field<std::int32_t> kFirstPage{16};
inline constexpr Field<std::int32_t> kLastPage{20};
inline constexpr Field<std::int32_t> kFinishing{24};
inline constexpr Field<std::uint32_t> kJobMedia{28};
inline constexpr Field<std::int16_t> kShiftX1{32};
inline constexpr Field<std::int16_t> kShiftY1{34};
inline constexpr Field<std::int16_t> kShiftX2{36};
inline constexpr Field<std::int16_t> kShiftY2{38};
inline constexpr Field<std::uint16_t> kPageOverrideCount{52};
inline constexpr Field<std::uint16_t> kInsertCount{54};
inline constexpr Field<std::uint16_t> kForceFrontCount{56};
inline constexpr Field<std::uint16_t> kSaveFormat{66};
inline constexpr Field<std::uint16_t> kFontSize{70};
inline constexpr Field<std::uint16_t> kJobFlags{74};
inline constexpr Field<std::uint16_t> kImpositionTemplate{98};  // string index
inline constexpr Field<std::int16_t> kHighlightColorant{102};
inline constexpr Field<std::uint16_t> kHighlightMismatch{104};
inline constexpr Field<std::int16_t> kHighlightMapColor{106};
inline constexpr Field<std::uint16_t> kHighlightMap{108};
inline constexpr Field<std::uint8_t> kPageRotation{114};
inline constexpr Field<std::uint8_t> kPageRangeMode{115};
inline constexpr Field<std::uint8_t> kDocumentFormat{120};
inline constexpr Field<std::uint8_t> kSaveDisposition{121};
inline constexpr Field<std::uint8_t> kSignature{123};
inline constexpr Field<std::uint8_t> kOrientation{124};
inline constexpr Field<std::uint8_t> kCollate{125};
inline constexpr Field<std::uint8_t> kSides{126};
inline constexpr Field<std::uint8_t> kOpiInsertion{128};
inline constexpr Field<std::uint8_t> kOpiPreScan{129};
inline constexpr Field<std::uint8_t> kColorEffects{133};
inline constexpr TextField kJobName{140, 256};
inline constexpr TextField kAccountId{396, 256};
inline constexpr TextField kUserName{652, 256};
inline constexpr TextField kRecipientName{908, 256};
inline constexpr TextField kPhoneNumber{1164, 20};
inline constexpr TextField kSheetMessage{1184, 1001};
inline constexpr TextField kOperatorMessage{2185, 1001};
inline constexpr TextField kFontName{3186, 101};
inline constexpr TextField kFinishingTemplate{3287, 31};
inline constexpr TextField kSavePath{3318, 485};
inline constexpr TextField kSaveName{3803, 32};
inline constexpr TextField kDocumentPath{3835, 485};
inline constexpr TextField kDocumentName{4320, 32};
inline constexpr Field<std::uint8_t> kCoverMode{4352};
inline constexpr Field<std::uint8_t> kFrontCoverPrint{4353};
inline constexpr Field<std::uint8_t> kBackCoverPrint{4354};
inline constexpr Field<std::uint32_t> kFrontCoverMedia{4356};
inline constexpr Field<std::uint32_t> kBackCoverMedia{4360};
inline constexpr std::size_t kMediaTable = 4364;
inline constexpr std::size_t kOverrideRecords = 11364;
inline constexpr std::size_t kInsertRecords = 30364;
inline constexpr std::size_t kForceFrontPages = 33364;  // 250 signed 32-bit page numbers

// Colour and image quality, job level.
inline constexpr Field<std::int16_t> kAdjustLightness{40};
inline constexpr Field<std::int16_t> kAdjustSaturation{42};
inline constexpr Field<std::int16_t> kAdjustContrast{44};
inline constexpr Field<std::int16_t> kAdjustCyanRed{46};
inline constexpr Field<std::int16_t> kAdjustMagentaGreen{48};
inline constexpr Field<std::int16_t> kAdjustYellowBlue{50};
inline constexpr Field<std::int16_t> kRenderingIntentImages{60};
inline constexpr Field<std::int16_t> kRenderingIntentText{62};
inline constexpr Field<std::int16_t> kRenderingIntentGraphics{64};
inline constexpr Field<std::uint16_t> kDestinationProfileFront{76};    // string index
inline constexpr Field<std::uint16_t> kDestinationProfileBack{78};     // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceRgb{80};         // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmyk{82};        // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmy{84};         // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceGray{86};        // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceRgbImages{88};   // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmykImages{90};  // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmyImages{92};   // string index
inline constexpr Field<std::uint16_t> kUnusedStringRef{94};      // string index, never converted
inline constexpr Field<std::uint16_t> kTrcName{96};              // string index
inline constexpr Field<std::uint16_t> kHalftone{100};            // string index
inline constexpr Field<std::uint16_t> kColorEmulationName{112};  // string index
inline constexpr Field<std::uint8_t> kColorEmulation{130};
inline constexpr Field<std::uint8_t> kColorEmulationCopy{131};
inline constexpr Field<std::uint8_t> kPrinterResolution{132};
inline constexpr Field<std::uint8_t> kTrapping{134};
inline constexpr Field<std::uint8_t> kTrapWidthFast{135};
inline constexpr Field<std::uint8_t> kTrapWidthSlow{136};
inline constexpr Field<std::uint8_t> kAntiAliasing{137};
inline constexpr Field<std::uint8_t> kBlackOverprint{138};

}  // namespace ticket_field

// Set bits of `jobFlags` mark values that are not given.
namespace job_flag {
inline constexpr std::uint16_t kShifts = 0x000F;
inline constexpr std::uint16_t kShiftTested = 0x0001;
inline constexpr std::uint16_t kCopies = 0x0010;
inline constexpr std::uint16_t kFontName = 0x0080;
inline constexpr std::uint16_t kFontSize = 0x0100;
inline constexpr std::uint16_t kLightness = 0x0200;
inline constexpr std::uint16_t kSaturation = 0x0400;
inline constexpr std::uint16_t kContrast = 0x0800;
inline constexpr std::uint16_t kColorBalance = 0x1000;
inline constexpr std::uint16_t kTrapWidthFast = 0x2000;
inline constexpr std::uint16_t kTrapWidthSlow = 0x4000;
inline constexpr std::uint16_t kAllAbsent = 0x7FFF;
}  // namespace job_flag

// The 350-byte media record; offsets from the start of the record.
namespace media_field {
inline constexpr Field<std::uint32_t> kSizeCode{0};
inline constexpr Field<std::int16_t> kGrain{6};
inline constexpr Field<std::int16_t> kTooth{8};
inline constexpr Field<std::int16_t> kFrontCoating{10};
inline constexpr Field<std::int16_t> kBackCoating{12};
inline constexpr Field<std::int16_t> kColor{14};
inline constexpr Field<std::int16_t> kType{16};
inline constexpr Field<std::uint16_t> kShortEdge{18};
inline constexpr Field<std::uint16_t> kLongEdge{20};
inline constexpr Field<std::uint16_t> kWeight{22};
inline constexpr Field<std::uint8_t> kFlags{25};
inline constexpr Field<std::uint8_t> kReserved26{26};
inline constexpr Field<std::uint8_t> kTypeCountSet{27};
inline constexpr Field<std::uint8_t> kTypeCount{28};
inline constexpr Field<std::uint8_t> kTabCount{29};
inline constexpr Field<std::uint8_t> kReserved30{30};
inline constexpr Field<std::uint8_t> kHoleCode{31};
inline constexpr TextField kDescription{32, 256};
inline constexpr TextField kColorName{288, 31};
inline constexpr TextField kTypeName{319, 31};
inline constexpr std::size_t kMaxTypeName = 29;  // one less than the array allows
}  // namespace media_field

// Set bits of the media record's `flags` mark values that are not given.
namespace media_flag {
inline constexpr std::uint8_t kWeight = 0x01;
inline constexpr std::uint8_t kShortEdge = 0x02;
inline constexpr std::uint8_t kLongEdge = 0x04;
}  // namespace media_flag

// The 76-byte page-override record; offsets from the start of the record.
namespace override_field {
inline constexpr Field<std::int32_t> kFirstPage{0};
inline constexpr Field<std::int32_t> kLastPage{4};
inline constexpr Field<std::uint32_t> kMedia{8};
inline constexpr Field<std::int16_t> kShiftX1{12};
inline constexpr Field<std::int16_t> kShiftY1{14};
inline constexpr Field<std::int16_t> kShiftX2{16};
inline constexpr Field<std::int16_t> kShiftY2{18};
inline constexpr Field<std::uint8_t> kFlags{20};
inline constexpr Field<std::uint16_t> kFlagsWord{20};  // kFlags and kFlags2 together
inline constexpr Field<std::uint8_t> kFlags2{21};
inline constexpr Field<std::int16_t> kAdjustLightness{22};
inline constexpr Field<std::int16_t> kAdjustSaturation{24};
inline constexpr Field<std::int16_t> kAdjustContrast{26};
inline constexpr Field<std::int16_t> kAdjustCyanRed{28};
inline constexpr Field<std::int16_t> kAdjustMagentaGreen{30};
inline constexpr Field<std::int16_t> kAdjustYellowBlue{32};
inline constexpr Field<std::int16_t> kRenderingIntentImages{34};
inline constexpr Field<std::int16_t> kRenderingIntentText{36};
inline constexpr Field<std::int16_t> kRenderingIntentGraphics{38};
inline constexpr Field<std::uint16_t> kDestinationProfileFront{40};    // string index
inline constexpr Field<std::uint16_t> kDestinationProfileBack{42};     // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceRgb{44};         // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmyk{46};        // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmy{48};         // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceGray{50};        // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceRgbImages{52};   // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmykImages{54};  // string index
inline constexpr Field<std::uint16_t> kUndefinedSourceCmyImages{56};   // string index
inline constexpr Field<std::uint16_t> kUnusedStringRef{58};     // string index, never converted
inline constexpr Field<std::uint16_t> kTrcName{60};             // string index
inline constexpr Field<std::uint16_t> kHalftone{62};            // string index
inline constexpr Field<std::uint16_t> kColorEmulationName{64};  // string index
inline constexpr Field<std::uint8_t> kSides{66};
inline constexpr Field<std::uint8_t> kPageRotation{67};
inline constexpr Field<std::uint8_t> kColorEmulation{68};
inline constexpr Field<std::uint8_t> kColorEmulationCopy{69};
inline constexpr Field<std::uint8_t> kAntiAliasing{70};
inline constexpr Field<std::uint8_t> kBlackOverprint{71};
inline constexpr Field<std::uint8_t> kTrapping{72};
inline constexpr Field<std::uint8_t> kTrapWidthFast{73};
inline constexpr Field<std::uint8_t> kTrapWidthSlow{74};
}  // namespace override_field

// Set bits of the page-override presence flags mark values that are not given.
namespace override_flag {
// In `kFlags` (record offset 20).
inline constexpr std::uint8_t kShiftX1 = 0x01;
inline constexpr std::uint8_t kShiftY1 = 0x02;
inline constexpr std::uint8_t kShiftX2 = 0x04;
inline constexpr std::uint8_t kShiftY2 = 0x08;
inline constexpr std::uint8_t kMedia = 0x10;
inline constexpr std::uint8_t kSides = 0x20;
inline constexpr std::uint8_t kLightness = 0x80;
// In `kFlags2` (record offset 21).
inline constexpr std::uint8_t kSaturation = 0x01;
inline constexpr std::uint8_t kContrast = 0x02;
inline constexpr std::uint8_t kColorBalance = 0x04;
inline constexpr std::uint8_t kTrapWidthFast = 0x08;
inline constexpr std::uint8_t kTrapWidthSlow = 0x10;
// Both bytes of a fresh record, as one little-endian word.
inline constexpr std::uint16_t kFreshWord = 0x1FBF;
}  // namespace override_flag

// The 12-byte inserted-sheet record.
namespace insert_field {
inline constexpr Field<std::int32_t> kAfterPage{0};
inline constexpr Field<std::int32_t> kCount{4};
inline constexpr Field<std::uint32_t> kMedia{8};
}  // namespace insert_field

// Byte offset of a sub-record inside the ticket record.
constexpr std::size_t MediaSlotOffset(std::size_t slot) {
  return ticket_field::kMediaTable + kMediaRecordSize * slot;
}
constexpr std::size_t OverrideOffset(std::size_t i) {
  return ticket_field::kOverrideRecords + kOverrideRecordSize * i;
}
constexpr std::size_t InsertOffset(std::size_t i) {
  return ticket_field::kInsertRecords + kInsertRecordSize * i;
}
constexpr Field<std::int32_t> ForceFrontPage(std::size_t i) {
  return Field<std::int32_t>{ticket_field::kForceFrontPages + 4 * i};
}

// Every string-reference field: the table's operations keep these consistent.
inline constexpr std::array<Field<std::uint16_t>, 14> kTicketStringRefs = {
    ticket_field::kDestinationProfileFront,
    ticket_field::kDestinationProfileBack,
    ticket_field::kUndefinedSourceRgb,
    ticket_field::kUndefinedSourceCmyk,
    ticket_field::kUndefinedSourceCmy,
    ticket_field::kUndefinedSourceGray,
    ticket_field::kUndefinedSourceRgbImages,
    ticket_field::kUndefinedSourceCmykImages,
    ticket_field::kUndefinedSourceCmyImages,
    ticket_field::kUnusedStringRef,
    ticket_field::kTrcName,
    ticket_field::kImpositionTemplate,
    ticket_field::kHalftone,
    ticket_field::kColorEmulationName,
};
inline constexpr std::array<Field<std::uint16_t>, 13> kOverrideStringRefs = {
    override_field::kDestinationProfileFront,
    override_field::kDestinationProfileBack,
    override_field::kUndefinedSourceRgb,
    override_field::kUndefinedSourceCmyk,
    override_field::kUndefinedSourceCmy,
    override_field::kUndefinedSourceGray,
    override_field::kUndefinedSourceRgbImages,
    override_field::kUndefinedSourceCmykImages,
    override_field::kUndefinedSourceCmyImages,
    override_field::kUnusedStringRef,
    override_field::kTrcName,
    override_field::kHalftone,
    override_field::kColorEmulationName,
};

static_assert(ticket_field::kMediaTable + kMediaRecordSize * kMediaSlots ==
              ticket_field::kOverrideRecords);
static_assert(ticket_field::kOverrideRecords + kOverrideRecordSize * kMaxOverrides ==
              ticket_field::kInsertRecords);
static_assert(ticket_field::kInsertRecords + kInsertRecordSize * kMaxInserts ==
              ticket_field::kForceFrontPages);
static_assert(ticket_field::kForceFrontPages + 4 * kMaxForceFront + 4 == kTicketSize);
static_assert(media_field::kTypeName.offset + media_field::kTypeName.capacity == kMediaRecordSize);

}  // namespace ovrabjt

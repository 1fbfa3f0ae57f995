#include "ticket/field_catalog.h"

#include <array>

#include "ticket/layout.h"

namespace ovrabjt {

std::int64_t FieldInfo::Number(const ConstFieldView& v) const {
  switch (kind) {
    case FieldKind::kU8:
      return v.Get(Field<std::uint8_t>{offset});
    case FieldKind::kU16:
    case FieldKind::kStringRef:
      return v.Get(Field<std::uint16_t>{offset});
    case FieldKind::kI16:
      return v.Get(Field<std::int16_t>{offset});
    case FieldKind::kU32:
    case FieldKind::kMediaId:
      return v.Get(Field<std::uint32_t>{offset});
    case FieldKind::kI32:
      return v.Get(Field<std::int32_t>{offset});
    case FieldKind::kText:
      return 0;
  }
  return 0;
}

namespace {

constexpr FieldInfo Ref(std::string_view name, Field<std::uint16_t> f) {
  return {name, FieldKind::kStringRef, f.offset};
}
constexpr FieldInfo Media(std::string_view name, Field<std::uint32_t> f) {
  return {name, FieldKind::kMediaId, f.offset};
}

namespace tf = ticket_field;
constexpr auto kJobFields = std::to_array<FieldInfo>({
    {"reserved0", tf::kReserved0},
    {"reserved8", tf::kReserved8},
    {"copies", tf::kCopies},
    {"firstPage", tf::kFirstPage},
    {"lastPage", tf::kLastPage},
    {"finishing", tf::kFinishing},
    Media("jobMedia", tf::kJobMedia),
    {"shiftX1", tf::kShiftX1},
    {"shiftY1", tf::kShiftY1},
    {"shiftX2", tf::kShiftX2},
    {"shiftY2", tf::kShiftY2},
    {"adjustLightness", tf::kAdjustLightness},
    {"adjustSaturation", tf::kAdjustSaturation},
    {"adjustContrast", tf::kAdjustContrast},
    {"adjustCyanRed", tf::kAdjustCyanRed},
    {"adjustMagentaGreen", tf::kAdjustMagentaGreen},
    {"adjustYellowBlue", tf::kAdjustYellowBlue},
    {"pageOverrideCount", tf::kPageOverrideCount},
    {"insertCount", tf::kInsertCount},
    {"forceFrontCount", tf::kForceFrontCount},
    {"stringCount", tf::kStringCount},
    {"renderingIntentImages", tf::kRenderingIntentImages},
    {"renderingIntentText", tf::kRenderingIntentText},
    {"renderingIntentGraphics", tf::kRenderingIntentGraphics},
    {"saveFormat", tf::kSaveFormat},
    {"reserved68", tf::kReserved68},
    {"fontSize", tf::kFontSize},
    {"jobFlags", tf::kJobFlags},
    Ref("destinationProfileFront", tf::kDestinationProfileFront),
    Ref("destinationProfileBack", tf::kDestinationProfileBack),
    Ref("undefinedSourceRgb", tf::kUndefinedSourceRgb),
    Ref("undefinedSourceCmyk", tf::kUndefinedSourceCmyk),
    Ref("undefinedSourceCmy", tf::kUndefinedSourceCmy),
    Ref("undefinedSourceGray", tf::kUndefinedSourceGray),
    Ref("undefinedSourceRgbImages", tf::kUndefinedSourceRgbImages),
    Ref("undefinedSourceCmykImages", tf::kUndefinedSourceCmykImages),
    Ref("undefinedSourceCmyImages", tf::kUndefinedSourceCmyImages),
    Ref("unusedStringRef", tf::kUnusedStringRef),
    Ref("trcName", tf::kTrcName),
    Ref("impositionTemplate", tf::kImpositionTemplate),
    Ref("halftone", tf::kHalftone),
    {"highlightColorant", tf::kHighlightColorant},
    {"highlightMismatch", tf::kHighlightMismatch},
    {"highlightMapColor", tf::kHighlightMapColor},
    {"highlightMap", tf::kHighlightMap},
    {"reserved110", tf::kReserved110},
    Ref("colorEmulationName", tf::kColorEmulationName),
    {"pageRotation", tf::kPageRotation},
    {"pageRangeMode", tf::kPageRangeMode},
    {"reserved116", tf::kReserved116},
    {"reserved117", tf::kReserved117},
    {"reserved118", tf::kReserved118},
    {"reserved119", tf::kReserved119},
    {"documentFormat", tf::kDocumentFormat},
    {"saveDisposition", tf::kSaveDisposition},
    {"reserved122", tf::kReserved122},
    {"signature", tf::kSignature},
    {"orientation", tf::kOrientation},
    {"collate", tf::kCollate},
    {"sides", tf::kSides},
    {"opiInsertion", tf::kOpiInsertion},
    {"opiPreScan", tf::kOpiPreScan},
    {"colorEmulation", tf::kColorEmulation},
    {"colorEmulationCopy", tf::kColorEmulationCopy},
    {"printerResolution", tf::kPrinterResolution},
    {"colorEffects", tf::kColorEffects},
    {"trapping", tf::kTrapping},
    {"trapWidthFast", tf::kTrapWidthFast},
    {"trapWidthSlow", tf::kTrapWidthSlow},
    {"antiAliasing", tf::kAntiAliasing},
    {"blackOverprint", tf::kBlackOverprint},
    {"jobName", tf::kJobName},
    {"accountId", tf::kAccountId},
    {"userName", tf::kUserName},
    {"recipientName", tf::kRecipientName},
    {"phoneNumber", tf::kPhoneNumber},
    {"sheetMessage", tf::kSheetMessage},
    {"operatorMessage", tf::kOperatorMessage},
    {"fontName", tf::kFontName},
    {"finishingTemplate", tf::kFinishingTemplate},
    {"savePath", tf::kSavePath},
    {"saveName", tf::kSaveName},
    {"documentPath", tf::kDocumentPath},
    {"documentName", tf::kDocumentName},
    {"coverMode", tf::kCoverMode},
    {"frontCoverPrint", tf::kFrontCoverPrint},
    {"backCoverPrint", tf::kBackCoverPrint},
    Media("frontCoverMedia", tf::kFrontCoverMedia),
    Media("backCoverMedia", tf::kBackCoverMedia),
});

namespace of = override_field;
constexpr auto kOverrideFields = std::to_array<FieldInfo>({
    {"firstPage", of::kFirstPage},
    {"lastPage", of::kLastPage},
    Media("media", of::kMedia),
    {"shiftX1", of::kShiftX1},
    {"shiftY1", of::kShiftY1},
    {"shiftX2", of::kShiftX2},
    {"shiftY2", of::kShiftY2},
    {"overrideFlags", of::kFlags},
    {"overrideFlags2", of::kFlags2},
    {"adjustLightness", of::kAdjustLightness},
    {"adjustSaturation", of::kAdjustSaturation},
    {"adjustContrast", of::kAdjustContrast},
    {"adjustCyanRed", of::kAdjustCyanRed},
    {"adjustMagentaGreen", of::kAdjustMagentaGreen},
    {"adjustYellowBlue", of::kAdjustYellowBlue},
    {"renderingIntentImages", of::kRenderingIntentImages},
    {"renderingIntentText", of::kRenderingIntentText},
    {"renderingIntentGraphics", of::kRenderingIntentGraphics},
    Ref("destinationProfileFront", of::kDestinationProfileFront),
    Ref("destinationProfileBack", of::kDestinationProfileBack),
    Ref("undefinedSourceRgb", of::kUndefinedSourceRgb),
    Ref("undefinedSourceCmyk", of::kUndefinedSourceCmyk),
    Ref("undefinedSourceCmy", of::kUndefinedSourceCmy),
    Ref("undefinedSourceGray", of::kUndefinedSourceGray),
    Ref("undefinedSourceRgbImages", of::kUndefinedSourceRgbImages),
    Ref("undefinedSourceCmykImages", of::kUndefinedSourceCmykImages),
    Ref("undefinedSourceCmyImages", of::kUndefinedSourceCmyImages),
    Ref("unusedStringRef", of::kUnusedStringRef),
    Ref("trcName", of::kTrcName),
    Ref("halftone", of::kHalftone),
    Ref("colorEmulationName", of::kColorEmulationName),
    {"sides", of::kSides},
    {"pageRotation", of::kPageRotation},
    {"colorEmulation", of::kColorEmulation},
    {"colorEmulationCopy", of::kColorEmulationCopy},
    {"antiAliasing", of::kAntiAliasing},
    {"blackOverprint", of::kBlackOverprint},
    {"trapping", of::kTrapping},
    {"trapWidthFast", of::kTrapWidthFast},
    {"trapWidthSlow", of::kTrapWidthSlow},
});

namespace inf = insert_field;
constexpr auto kInsertFields = std::to_array<FieldInfo>({
    {"afterPage", inf::kAfterPage},
    {"count", inf::kCount},
    Media("media", inf::kMedia),
});

namespace mf = media_field;
constexpr auto kMediaFields = std::to_array<FieldInfo>({
    {"sizeCode", mf::kSizeCode},
    {"grain", mf::kGrain},
    {"tooth", mf::kTooth},
    {"frontCoating", mf::kFrontCoating},
    {"backCoating", mf::kBackCoating},
    {"color", mf::kColor},
    {"type", mf::kType},
    {"shortEdge", mf::kShortEdge},
    {"longEdge", mf::kLongEdge},
    {"weight", mf::kWeight},
    {"flags", mf::kFlags},
    {"typeCountSet", mf::kTypeCountSet},
    {"typeCount", mf::kTypeCount},
    {"tabCount", mf::kTabCount},
    {"holeCode", mf::kHoleCode},
    {"description", mf::kDescription},
    {"colorName", mf::kColorName},
    {"typeName", mf::kTypeName},
});

}  // namespace

std::span<const FieldInfo> JobFieldCatalog() { return kJobFields; }
std::span<const FieldInfo> OverrideFieldCatalog() { return kOverrideFields; }
std::span<const FieldInfo> InsertFieldCatalog() { return kInsertFields; }
std::span<const FieldInfo> MediaFieldCatalog() { return kMediaFields; }

}  // namespace ovrabjt

#include "field_words.h"

#include <array>
#include <type_traits>
#include <utility>

#include "ticket/layout.h"
#include "vocabulary/code_table.h"
#include "vocabulary/color_vocabulary.h"
#include "vocabulary/finishings.h"
#include "vocabulary/job_vocabulary.h"
#include "vocabulary/media_vocabulary.h"

namespace ovrabjt::cli {

namespace {

// Words of the tool's own for codes that no document keyword stands for.
template <std::size_t N>
using Words = KeywordTable<std::int64_t, N>;

constexpr Words<2> kPageRangeModes{
    {{{kPageRangeAll, "all pages"}, {kPageRangeFromTo, "from firstPage to lastPage"}}}};
constexpr Words<1> kSignatures{{{{kSignatureImposition, "signature imposition"}}}};
constexpr Words<2> kOrientationWords{{{{1, "portrait"}, {2, "landscape"}}}};
constexpr Words<6> kCoverModes{{{
    {cover_mode::kNone, "no covers"},
    {cover_mode::kFront, "front cover"},
    {cover_mode::kBack, "back cover"},
    {cover_mode::kBothAlike, "front and back covers printed alike"},
    {cover_mode::kBothSeparate, "front and back covers printed separately"},
    {cover_mode::kNoCovers, "no covers"},
}}};
constexpr Words<3> kFinishingOthers{{{
    {kFinishingSeparatorSheets, "separator sheets"},
    {kFinishingNone, "no finishing"},
    {kFinishingTemplate, "finishing template"},
}}};
// The usual names of the "finishings" numbers the ticket has codes for.
constexpr Words<10> kFinishingNames{{{
    {3, "none"},
    {13, "booklet-maker"},
    {20, "staple-top-left"},
    {21, "staple-bottom-left"},
    {22, "staple-top-right"},
    {23, "staple-bottom-right"},
    {28, "staple-dual-left"},
    {29, "staple-dual-top"},
    {30, "staple-dual-right"},
    {31, "staple-dual-bottom"},
}}};
constexpr Words<2> kNamedMediaColor{{{{media_code::kColorNamed, "named colour (colorName)"},
                                      {media_code::kColorNotGiven, "not given"}}}};
constexpr Words<1> kNamedMediaType{{{{media_code::kTypeNamed, "named type (typeName)"}}}};
constexpr Words<2> kMediaSizeOthers{
    {{{media_code::kSizeCustom, "custom size (shortEdge x longEdge)"},
      {media_code::kSizeNone, "no size"}}}};
constexpr Words<1> kTypeCountSet{{{{media_code::kTypeCountGiven, "typeCount given"}}}};

// A bit of a presence-flag word; a set bit says the value is not given.
struct FlagWord {
  std::uint32_t mask;
  std::string_view value;
};

constexpr auto kJobFlagWords = std::to_array<FlagWord>({
    {job_flag::kShiftTested, "image shifts"},
    {job_flag::kCopies, "copies"},
    {job_flag::kFontName, "font name"},
    {job_flag::kFontSize, "font size"},
    {job_flag::kLightness, "lightness"},
    {job_flag::kSaturation, "saturation"},
    {job_flag::kContrast, "contrast"},
    {job_flag::kColorBalance, "colour balance"},
    {job_flag::kTrapWidthFast, "trap width fast"},
    {job_flag::kTrapWidthSlow, "trap width slow"},
});
constexpr auto kOverrideFlagWords = std::to_array<FlagWord>({
    {override_flag::kShiftX1, "x-side1 shift"},
    {override_flag::kShiftY1, "y-side1 shift"},
    {override_flag::kShiftX2, "x-side2 shift"},
    {override_flag::kShiftY2, "y-side2 shift"},
    {override_flag::kMedia, "medium"},
    {override_flag::kSides, "sides"},
    {override_flag::kLightness, "lightness"},
});
constexpr auto kOverrideFlag2Words = std::to_array<FlagWord>({
    {override_flag::kSaturation, "saturation"},
    {override_flag::kContrast, "contrast"},
    {override_flag::kColorBalance, "colour balance"},
    {override_flag::kTrapWidthFast, "trap width fast"},
    {override_flag::kTrapWidthSlow, "trap width slow"},
});
constexpr auto kMediaFlagWords = std::to_array<FlagWord>({
    {media_flag::kWeight, "weight"},
    {media_flag::kShortEdge, "short edge"},
    {media_flag::kLongEdge, "long edge"},
});

using Text = std::optional<std::string>;

// The table's word for the code, or nothing when it has none.
template <const auto& kTable>
Text LookUp(std::int64_t code) {
  using Code = std::remove_cvref_t<decltype(kTable.entries[0].first)>;
  if (!std::in_range<Code>(code)) return std::nullopt;
  const auto value = kTable.ValueOf(static_cast<Code>(code));
  if (!value) return std::nullopt;
  if constexpr (std::is_convertible_v<decltype(*value), std::string_view>)
    return std::string(*value);
  else
    return std::to_string(*value);
}

// The first table's word; a code in none of them is a value not given.
template <const auto&... kTables>
Text Keyword(std::int64_t code) {
  Text text;
  ((text = text ? text : LookUp<kTables>(code)), ...);
  return text ? text : Text("not given");
}

template <const auto& kFlags>
Text Absent(std::int64_t code) {
  std::string text;
  for (const FlagWord& flag : kFlags)
    if (code & flag.mask) text += (text.empty() ? "" : ", ") + std::string(flag.value);
  return text.empty() ? "all given" : "not given: " + text;
}

Text Millimetres(std::int64_t code) { return std::to_string(code) + " mm"; }
Text Grams(std::int64_t code) { return std::to_string(code) + " g/m2"; }

Text Resolution(std::int64_t code) {
  const Text dpi = LookUp<kPrinterResolutions>(code);
  return dpi ? *dpi + " x " + *dpi + " dpi" : "not given";
}

Text HoleCount(std::int64_t code) {
  const Text holes = LookUp<kMediaHoleCounts>(code);
  return holes ? *holes + " holes" : "not given";
}

Text Orientation(std::int64_t code) {
  const Text number = LookUp<kOrientations>(code);
  return number ? *LookUp<kOrientationWords>(code) + " (orientation-requested " + *number + ")"
                : "not given";
}

Text Finishing(std::int64_t code) {
  if (const Text other = LookUp<kFinishingOthers>(code)) return other;
  const Text number = LookUp<kFinishings>(code);
  if (!number) return "not given";
  const Text name = LookUp<kFinishingNames>(std::stoll(*number));
  return "finishings " + *number + (name ? " (" + *name + ")" : "");
}

Text SizeCode(std::int64_t code) {
  if (const Text other = LookUp<kMediaSizeOthers>(code)) return other;
  for (const MediaSize& size : kMediaSizes)
    if (size.code == code)
      return std::to_string(size.short_edge) + " x " + std::to_string(size.long_edge) + " mm";
  return "unknown size code";
}

struct FieldDecoder {
  std::string_view field;
  Text (*decode)(std::int64_t code);
};

// Every field with words, by its catalogue name.
constexpr auto kFieldDecoders = std::to_array<FieldDecoder>({
    // Job level, and the same names in a page override.
    {"finishing", Finishing},
    {"shiftX1", Millimetres},
    {"shiftY1", Millimetres},
    {"shiftX2", Millimetres},
    {"shiftY2", Millimetres},
    {"renderingIntentImages", Keyword<kRenderingIntents>},
    {"renderingIntentText", Keyword<kRenderingIntents>},
    {"renderingIntentGraphics", Keyword<kRenderingIntents>},
    {"saveFormat", Keyword<kSaveFormats>},
    {"jobFlags", Absent<kJobFlagWords>},
    {"highlightColorant", Keyword<kHighlightColors>},
    {"highlightMismatch", Keyword<kHighlightMismatches>},
    {"highlightMapColor", Keyword<kHighlightColors>},
    {"highlightMap", Keyword<kHighlightMaps>},
    {"pageRotation", Keyword<kPageRotations>},
    {"pageRangeMode", Keyword<kPageRangeModes>},
    {"documentFormat", Keyword<kDocumentFormats>},
    {"saveDisposition", Keyword<kSaveDispositions>},
    {"signature", Keyword<kSignatures>},
    {"orientation", Orientation},
    {"collate", Keyword<kCollations>},
    {"sides", Keyword<kSides>},
    {"opiInsertion", Keyword<kOpiInsertions>},
    {"opiPreScan", Keyword<kOpiPreScans>},
    {"colorEmulation", Keyword<kColorEmulations>},
    {"colorEmulationCopy", Keyword<kColorEmulations>},
    {"printerResolution", Resolution},
    {"colorEffects", Keyword<kColorEffects>},
    {"trapping", Keyword<kTrappings>},
    {"antiAliasing", Keyword<kAntiAliasings>},
    {"blackOverprint", Keyword<kBlackOverprints>},
    {"coverMode", Keyword<kCoverModes>},
    {"frontCoverPrint", Keyword<kCoverPrints>},
    {"backCoverPrint", Keyword<kCoverPrints>},
    // Page override only.
    {"overrideFlags", Absent<kOverrideFlagWords>},
    {"overrideFlags2", Absent<kOverrideFlag2Words>},
    // Media record.
    {"sizeCode", SizeCode},
    {"grain", Keyword<kMediaGrains>},
    {"tooth", Keyword<kMediaTeeth>},
    {"frontCoating", Keyword<kMediaCoatings>},
    {"backCoating", Keyword<kMediaCoatings>},
    {"color", Keyword<kMediaColors, kNamedMediaColor>},
    {"type", Keyword<kMediaTypes, kMediaPrePrinted, kNamedMediaType>},
    {"shortEdge", Millimetres},
    {"longEdge", Millimetres},
    {"weight", Grams},
    {"flags", Absent<kMediaFlagWords>},
    {"typeCountSet", Keyword<kTypeCountSet>},
    {"holeCode", HoleCount},
});

}  // namespace

std::optional<std::string> FieldWords(std::string_view field, std::int64_t code) {
  for (const FieldDecoder& decoder : kFieldDecoders)
    if (decoder.field == field) return decoder.decode(code);
  return std::nullopt;
}

std::vector<std::string_view> FieldsWithWords() {
  std::vector<std::string_view> names;
  for (const FieldDecoder& decoder : kFieldDecoders) names.push_back(decoder.field);
  return names;
}

}  // namespace ovrabjt::cli
